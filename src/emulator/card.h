#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zq::emu {

// One file or folder as the card lists it.
struct CardEntry {
  bool folder = false;
  std::string name;  // CP949 bytes, a short name
  std::uint32_t size = 0;
  std::uint16_t year = 0, month = 0, day = 0, hour = 0, minute = 0;
};

// What a card operation answers; the console turns it into a reply code.
enum class CardResult {
  kOk,
  kFailed,       // 0xFF: the card refuses (missing, not a short name, no room, ...)
  kPathMissing,  // 0xFE: the folder to work in does not exist
  kUnformatted,  // 0xF1: the card has no file system
};

// The console's SmartMedia card, kept in a host folder: one host folder per
// card folder, UTF-8 names on the host, CP949 short names on the card, looked
// up ignoring ASCII case (the second byte of a double-byte character is no
// letter). Like a FAT card without long names it lists every name in upper
// case, whatever the host folder's case; of host names that differ only in
// case it sees the first. Host entries that a card cannot hold (long names,
// names without an exact CP949 form, links, devices) are invisible to the
// console. Every file takes whole clusters of kCluster bytes, every folder
// one cluster. The space used is kept up to date by the card's own changes,
// so that a file written costs no walk of the card; it is counted afresh
// only when the host asks for the disk information (what another program
// changed in the folder meanwhile is then seen too).
//
// What the emulator shares with the host program: the wire constants
// (link/wire_codes.h) and three services of the platform library, none of
// which decides what a packet means or how the card behaves: the iconv code
// page conversions (platform/codepage.h, strict in both directions here, for
// the host folder's UTF-8 names), the whole-file replacement of
// platform/replace_file.h (a card file is written only once complete), and
// the device directory's location (platform/device_directory.h), which both
// sides must agree on as they agree on the wire constants. The protocol, the
// card's naming, case, space and block rules are this folder's own code.
class Card {
 public:
  static constexpr std::uint32_t kCluster = 16 * 1024;

  // A folder that is missing or empty is made a freshly formatted card.
  Card(std::filesystem::path root, std::uint32_t totalBytes, bool unformatted);

  bool Formatted() const { return formatted_; }
  // The card loses its file system (its folder is left as it is until formatted).
  void MarkUnformatted() { formatted_ = false; }
  std::uint32_t Total() const { return total_; }
  // Used() counts the card afresh (the disk information a host asks for);
  // Free() and the checks before a write take the count kept up to date.
  std::uint32_t Used() const;
  std::uint32_t Free() const;

  // Erases the whole card and creates the standard folders.
  CardResult Format();

  CardResult List(std::string_view folder, std::vector<CardEntry>& out) const;
  CardResult CreateFolder(std::string_view path);
  CardResult RemoveFolder(std::string_view path);
  CardResult RemoveFile(std::string_view path);
  // Checks, before any data moves, that `name` may be written into `folder`
  // with `size` bytes (kPathMissing when the folder does not exist).
  CardResult CheckFolder(std::string_view folder) const;
  CardResult CheckNewFile(std::string_view folder, std::string_view name, std::uint32_t size) const;
  CardResult WriteFile(std::string_view folder, std::string_view name,
                       const std::vector<std::uint8_t>& data);
  CardResult ReadFile(std::string_view path, std::vector<std::uint8_t>& out) const;

  const std::filesystem::path& Root() const { return root_; }

 private:
  struct Found {
    std::filesystem::path host;
    bool folder = false;
  };
  // The card entry named `name` inside host folder `dir`, if the card sees one.
  std::optional<Found> Child(const std::filesystem::path& dir, std::string_view name) const;
  // Resolves a console path to an existing entry.
  std::optional<Found> Resolve(std::string_view path) const;
  // Resolves the parent folder of a console path; `leaf` gets the last name.
  std::optional<Found> ResolveParent(std::string_view path, std::string& leaf,
                                     bool& parentMissing) const;
  std::uint64_t UsedBytes(const std::filesystem::path& dir) const;
  std::uint64_t UsedNow() const;
  void AddUsed(std::int64_t bytes);

  std::filesystem::path root_;
  std::uint32_t total_;
  bool formatted_;
  mutable std::optional<std::uint64_t> used_;  // counted on first use, then kept
};

// The standard folders, created in this order by every format.
inline constexpr const char* kStandardFolders[] = {"GAME", "MP3", "ZQSYS", "ZQMM", "ZQETC"};

}  // namespace zq::emu
