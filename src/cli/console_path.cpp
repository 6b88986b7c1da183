#include "cli/console_path.h"

#include <algorithm>

#include "platform/codepage.h"

namespace zq::cli {

namespace {

constexpr std::string_view kRoot = "zq:\\";

bool StartsWithDrive(std::string_view text) {
  return text.size() >= 3 && (text[0] == 'z' || text[0] == 'Z') &&
         (text[1] == 'q' || text[1] == 'Q') && text[2] == ':';
}

}  // namespace

std::optional<std::string> ToConsolePath(std::string_view argument) {
  if (StartsWithDrive(argument)) {
    argument.remove_prefix(3);
  }
  std::string path(kRoot);
  for (char c : argument) {
    const char separator = c == '/' ? '\\' : c;
    if (separator == '\\' && path.back() == '\\') {
      continue;
    }
    path += separator;
  }
  // "." and ".." are no card names: the operations skip such entries
  // silently, and a script would take that for success.
  std::size_t start = kRoot.size();
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find('\\', start), path.size());
    const std::string_view component = std::string_view(path).substr(start, end - start);
    if (component == "." || component == "..") {
      return std::nullopt;
    }
    start = end + 1;
  }
  return Utf8ToCp949(path);
}

std::optional<std::string> ToConsoleFolder(std::string_view argument) {
  auto path = ToConsolePath(argument);
  if (path && path->back() != '\\') {
    *path += '\\';
  }
  return path;
}

bool IsConsoleFolderPath(std::string_view consolePath) {
  return !consolePath.empty() && consolePath.back() == '\\';
}

std::string WithoutTrailingBackslash(std::string_view consolePath) {
  std::string path(consolePath);
  if (path.size() > kRoot.size() && path.back() == '\\') {
    path.pop_back();
  }
  return path;
}

}  // namespace zq::cli
