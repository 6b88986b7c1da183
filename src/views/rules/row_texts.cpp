#include "views/rules/row_texts.h"

#include <cstdio>

#include "views/rules/folder_path.h"

namespace zq {

bool IsFolderRow(std::string_view typeText) {
  return SameNameIgnoringCase(typeText, kFolderType);
}

std::string SizeText(std::uint64_t bytes) {
  return std::to_string(bytes >> 10) + "KB";
}

std::string DateText(int year, int month, int day, int hour, int minute) {
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", year, month, day, hour, minute);
  return text;
}

RowIcon ConsoleFileIcon(std::string_view name) {
  const auto dot = name.rfind('.');
  if (dot == std::string_view::npos) {
    return RowIcon::ConsoleFile;
  }
  const auto extension = name.substr(dot + 1);
  if (SameNameIgnoringCase(extension, "ZXC") || SameNameIgnoringCase(extension, "ZXE")) {
    return RowIcon::Executable;
  }
  if (SameNameIgnoringCase(extension, "MP3")) {
    return RowIcon::Mp3File;
  }
  return RowIcon::ConsoleFile;
}

RowTexts ParentRow() {
  return RowTexts{std::string(kParentName), {}, std::string(kFolderType), {}, RowIcon::Folder};
}

RowTexts RowForRemoteEntry(const RemoteEntry& entry) {
  RowTexts row;
  row.rawName = entry.name;
  row.modified = DateText(entry.year, entry.month, entry.day, entry.hour, entry.minute);
  if (entry.IsFolder()) {
    row.type = std::string(kFolderType);
    row.icon = RowIcon::Folder;
  } else {
    row.size = SizeText(entry.size);
    row.type = std::string(kConsoleFileType);
    row.icon = ConsoleFileIcon(entry.name);
  }
  return row;
}

}  // namespace zq
