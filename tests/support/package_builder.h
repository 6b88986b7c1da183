#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Builders of the package files the program reads: free packages (.fpk),
// patches (.zqt) and commercial packages (.zpk), byte by byte, with options
// to lie about counts, cut the result or compress a commercial stream.
namespace zq::test {

using Bytes = std::vector<std::uint8_t>;

Bytes ToBytes(std::string_view text);
void WriteBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
Bytes ReadBytes(const std::filesystem::path& path);
// The first `size` bytes of `bytes` (all of them when it holds fewer).
Bytes Cut(std::span<const std::uint8_t> bytes, std::size_t size);

// An SZDD stream holding `data` as literals only (no back references).
Bytes SzddLiteral(std::span<const std::uint8_t> data);
// An SZDD stream of `count` copies of `byte`: one literal, then back-references
// of 18 bytes, the densest expansion the format allows. The header announces
// `announced` when given, else `count`.
Bytes SzddRepeated(std::uint8_t byte, std::size_t count,
                   std::optional<std::uint32_t> announced = std::nullopt);
// `data` compressed by the mscompress tool; nullopt when the tool is missing
// or fails.
std::optional<Bytes> MsCompress(std::span<const std::uint8_t> data);
bool HasMsCompress();

// A free package or patch: header, then the entry table. Build() ends the
// table with an end marker unless told otherwise.
class ArchiveBuilder {
 public:
  explicit ArchiveBuilder(std::string magic);
  static ArchiveBuilder Package();  // magic "ZQKG"
  static ArchiveBuilder Patch();    // magic "PTCH"

  ArchiveBuilder& Title(std::string title);  // kept to its 64-byte field
  ArchiveBuilder& Root(std::string root);
  // `path` is relative to the root: empty, or beginning with a backslash.
  ArchiveBuilder& Folder(std::string path, std::string name);
  ArchiveBuilder& File(std::string path, std::string name, Bytes data);
  ArchiveBuilder& File(std::string path, std::string name, std::string_view text);
  ArchiveBuilder& EndMarker();
  // An entry of any kind, written like a folder unless `kind` is '1'.
  ArchiveBuilder& Entry(char kind, std::string path, std::string name, Bytes data = {});
  // One entry given as its encoded bytes, counted like any other.
  ArchiveBuilder& RawEntry(Bytes encoded);
  // Write this count instead of the number of entries.
  ArchiveBuilder& Count(std::uint32_t count);
  ArchiveBuilder& WithoutFinalEndMarker();
  // Bytes written after the table.
  ArchiveBuilder& Trailing(Bytes bytes);

  Bytes Build() const;
  void WriteTo(const std::filesystem::path& path) const;

 private:
  struct Item {
    char kind;
    std::string path;
    std::string name;
    Bytes data;
    bool raw = false;  // `data` is the whole encoded entry
  };
  std::string magic_;
  std::string title_;
  std::string root_;
  std::vector<Item> items_;
  std::optional<std::uint32_t> count_;
  bool finalEndMarker_ = true;
  Bytes trailing_;
};

// How the entry stream of a commercial package is stored.
enum class StreamCoding {
  kPlain,        // the entries as they are
  kSzddLiteral,  // an SZDD stream of literals, written here
  kMsCompress,   // an SZDD stream made by the mscompress tool (Build throws without it)
};

// A commercial package: info record, the ZXE and ZXC programs, the stream.
class CommercialBuilder {
 public:
  CommercialBuilder& Title(std::string title);  // kept to its 80-byte field
  CommercialBuilder& TargetFolder(std::string folder);
  CommercialBuilder& Zxe(std::string name, Bytes data);  // name kept to 12 bytes
  CommercialBuilder& Zxc(std::string name, Bytes data);
  // `path` is a full console path: the folder to create.
  CommercialBuilder& Folder(std::string path);
  // `folder` is the full console path of the folder that receives the file.
  CommercialBuilder& File(std::string folder, std::string name, Bytes data);
  CommercialBuilder& EndMarker();
  // An entry of any kind, written like a folder unless `kind` is '1' or '2'.
  CommercialBuilder& Entry(char kind, std::string path, std::string name = {}, Bytes data = {});
  CommercialBuilder& Coding(StreamCoding coding);
  // Write this entry count instead of the number of entries.
  CommercialBuilder& EntryCount(std::uint32_t count);
  // Store these bytes as the stream instead of the coded entries.
  CommercialBuilder& Stream(Bytes stream);

  // The entries back to back, before any compression.
  Bytes PlainStream() const;
  Bytes Build() const;
  void WriteTo(const std::filesystem::path& path) const;

 private:
  struct Item {
    char kind;
    std::string path;
    std::string name;
    Bytes data;
  };
  std::string title_;
  std::string targetFolder_;
  std::string zxeName_ = "GAME.ZXE";
  Bytes zxeData_;
  std::string zxcName_ = "GAME.ZXC";
  Bytes zxcData_;
  std::vector<Item> items_;
  StreamCoding coding_ = StreamCoding::kPlain;
  std::optional<std::uint32_t> entryCount_;
  std::optional<Bytes> stream_;
};

}  // namespace zq::test
