#include "views/rules/folder_path.h"

#include <algorithm>

#include "platform/card_text.h"

namespace zq {

namespace {
char UpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
}  // namespace

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  return SameCardNameIgnoringCase(a, b);
}

std::string UpperCaseAscii(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(), UpperAscii);
  return upper;
}

bool IsConsoleRoot(std::string_view path) {
  return SameNameIgnoringCase(path, kConsoleRoot);
}

char SeparatorOf(std::string_view path) {
  return IsConsolePath(path) ? '\\' : kPcSeparator;
}

std::string ParentFolderPath(std::string_view folder) {
  if (folder.empty()) {
    return {};
  }
  const char separator = SeparatorOf(folder);
  std::string_view rest = folder.substr(0, folder.size() - 1);
  const auto last = rest.rfind(separator);
  if (last == std::string_view::npos) {
    return std::string(folder);
  }
  return std::string(rest.substr(0, last + 1));
}

std::vector<std::string> SplitComponents(std::string_view path, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    auto end = path.find(separator, start);
    if (end == std::string_view::npos) {
      end = path.size();
    }
    if (end > start) {
      parts.emplace_back(path.substr(start, end - start));
    }
    start = end + 1;
  }
  return parts;
}

bool IsGameDataFolder(std::string_view consolePath) {
  const auto parts = SplitComponents(consolePath, '\\');
  return parts.size() == 3 && SameNameIgnoringCase(parts[1], "game");
}

bool ShowEntry(bool zqMode, std::string_view consolePath, std::string_view entryName) {
  if (!zqMode || !IsGameDataFolder(consolePath)) {
    return true;
  }
  return SameNameIgnoringCase(entryName, "zquser");
}

}  // namespace zq
