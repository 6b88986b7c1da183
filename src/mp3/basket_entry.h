#pragma once

#include <cstdint>
#include <string>

namespace zq {

// State flags of a basket entry; 0 means ready to send.
namespace basketstate {
inline constexpr std::uint8_t kReady = 0;
inline constexpr std::uint8_t kNoTag = 1;  // the PC file had no ID3v1 tag
// The PC base name was longer than 8 bytes, had no CP949 form, or held a
// character a console name cannot.
inline constexpr std::uint8_t kNoConsoleName = 2;
}  // namespace basketstate

// One half of a basket entry: what Send and Back up write into the console
// file. Texts are CP949 bytes, within their field widths.
struct TagFields {
  std::uint8_t state = basketstate::kReady;
  std::string consoleName;  // at most 8 bytes, without ".mp3"
  std::string title;
  std::string artist;
  std::string album;
  std::string year;
  std::int32_t genre = -1;  // -1 none
  std::string comment;

  bool operator==(const TagFields&) const = default;
};

// One MP3 file chosen for the console.
struct BasketEntry {
  std::int64_t size = 0;   // what the console receives: the audio plus 128 bytes
  std::string folder;      // PC folder, ending in '/'
  std::string pcBaseName;  // the PC file name up to its first dot
  TagFields initial;       // found in the PC file when it was added
  TagFields edited;        // used by Send and Back up; changed by Apply
};

// One row of the basket list: its three texts, its icon and its entry. The
// icon index is the edited state flags (0 ready, 1 no tag, 2 no console name,
// 3 both).
struct BasketRow {
  std::string pcFileName;  // "file name(PC)": the file name with its extension
  std::string zqFileName;  // "file name(ZQ)": console name + ".mp3" (CP949), or empty
  std::string path;        // "path": the PC folder without its trailing '/'
  int icon = 0;
  BasketEntry entry;
};

// The tag-editing fields as the window shows them and hands them back.
// Texts are screen texts (UTF-8).
struct FieldValues {
  std::string pcFile;  // read-only: PC folder + base name + ".mp3"
  std::string consoleName;
  std::int64_t size = 0;
  std::string title;
  std::string artist;
  std::string album;
  std::string year;
  std::int32_t genreSelection = -1;  // the genre list's item, -1 when none is selected
  std::string comment;

  bool operator==(const FieldValues&) const = default;
};

}  // namespace zq
