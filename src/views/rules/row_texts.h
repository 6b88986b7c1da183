#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "link/remote_entry.h"

namespace zq {

// The program's own pictures for list rows and tree nodes. PC rows use the
// platform's icons instead (RowIcon::Platform).
enum class RowIcon { Folder, FolderOpen, ConsoleFile, Mp3File, Unused, Executable, Platform };

inline constexpr std::string_view kFolderType = "folder";
inline constexpr std::string_view kConsoleFileType = "SMC file";
inline constexpr std::string_view kParentName = "..";

// The four texts of one list row and its picture. `rawName` is the name as
// the console or the file system gives it (CP949 bytes on the console); the
// window converts `rawName` for display and builds paths from it.
struct RowTexts {
  std::string rawName;
  std::string size;
  std::string type;
  std::string modified;
  RowIcon icon = RowIcon::Folder;
};

// A row is a folder exactly when its Type text is "folder", ignoring case.
bool IsFolderRow(std::string_view typeText);

// "%dKB" of the size shifted right by 10: 1023 bytes show 0KB.
std::string SizeText(std::uint64_t bytes);
// "%04d-%02d-%02d %02d:%02d".
std::string DateText(int year, int month, int day, int hour, int minute);
// The same text for a time in seconds since 1970 (UTC), in local time: the
// last-write time of a PC file.
std::string LocalDateText(std::int64_t secondsSinceEpoch);

// LocalDateText for many times, as a folder's files have them: the local
// time is looked up once per quarter of an hour (the finest step at which
// a zone's offset changes), the minutes within it are added.
class LocalDateTexts {
 public:
  std::string Of(std::int64_t secondsSinceEpoch);

 private:
  std::int64_t quarter_ = -1;
  int year_ = 0, month_ = 0, day_ = 0, hour_ = 0, minute_ = 0;
  bool whole_ = false;  // the quarter starts on a whole local minute
};
// The picture of a console file by the text after its last dot.
RowIcon ConsoleFileIcon(std::string_view name);

RowTexts ParentRow();
RowTexts RowForRemoteEntry(const RemoteEntry& entry);

}  // namespace zq
