#include "views/rules/row_texts.h"

#include <ctime>

#include <cstdio>

#include "views/rules/folder_path.h"

namespace zq {

bool IsFolderRow(std::string_view typeText) {
  return SameNameIgnoringCase(typeText, kFolderType);
}

std::string SizeText(std::uint64_t bytes) {
  return std::to_string(bytes >> 10) + "KB";
}

std::string LocalDateText(std::int64_t secondsSinceEpoch) {
  const auto seconds = static_cast<std::time_t>(secondsSinceEpoch);
  std::tm local{};
  if (::localtime_r(&seconds, &local) == nullptr) {
    return {};
  }
  return DateText(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                  local.tm_min);
}

std::string LocalDateTexts::Of(std::int64_t secondsSinceEpoch) {
  constexpr std::int64_t kQuarter = 15 * 60;
  const std::int64_t quarter = secondsSinceEpoch >= 0 ? secondsSinceEpoch / kQuarter
                                                      : (secondsSinceEpoch + 1) / kQuarter - 1;
  if (quarter != quarter_) {
    quarter_ = quarter;
    const auto start = static_cast<std::time_t>(quarter * kQuarter);
    std::tm local{};
    whole_ =
        ::localtime_r(&start, &local) != nullptr && local.tm_sec == 0 && local.tm_min % 15 == 0;
    year_ = local.tm_year + 1900;
    month_ = local.tm_mon + 1;
    day_ = local.tm_mday;
    hour_ = local.tm_hour;
    minute_ = local.tm_min;
  }
  if (!whole_) {
    return LocalDateText(secondsSinceEpoch);  // an odd offset: ask every time
  }
  const auto within = static_cast<int>((secondsSinceEpoch - quarter * kQuarter) / 60);
  return DateText(year_, month_, day_, hour_, minute_ + within);
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
