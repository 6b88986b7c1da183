#include "operations/path_rules.h"

#include "platform/codepage.h"

namespace zq {

namespace {
char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
}  // namespace

bool IsConsolePath(std::string_view path) {
  return path.size() >= 2 && Lower(path[0]) == 'z' && Lower(path[1]) == 'q';
}

bool EndsWith(std::string_view path, char separator) {
  return !path.empty() && path.back() == separator;
}

std::string WithoutSeparator(std::string_view path, char separator) {
  if (EndsWith(path, separator)) {
    path.remove_suffix(1);
  }
  return std::string(path);
}

std::string LastComponent(std::string_view path, char separator) {
  if (EndsWith(path, separator)) {
    path.remove_suffix(1);
  }
  std::size_t last = path.rfind(separator);
  return std::string(last == std::string_view::npos ? path : path.substr(last + 1));
}

std::string ParentWithSeparator(std::string_view path, char separator) {
  std::size_t last = path.rfind(separator);
  return last == std::string_view::npos ? std::string{} : std::string(path.substr(0, last + 1));
}

std::string ConsoleChild(std::string_view folder, std::string_view name) {
  return ConsoleFolder(folder) + std::string(name);
}

std::string ConsoleFolder(std::string_view folder) {
  return WithoutSeparator(folder, kConsoleSeparator) + kConsoleSeparator;
}

bool IsDotEntry(std::string_view path) {
  return path.size() >= 2 && path.substr(path.size() - 2) == ".\\";
}

bool IsSafeChildName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") {
    return false;
  }
  return name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

std::optional<std::string> PcNameOf(std::string_view cardName) {
  auto name = Cp949ToUtf8Exact(cardName);
  if (!name || !IsSafeChildName(cardName) || !IsSafeChildName(*name)) {
    return std::nullopt;
  }
  return name;
}

}  // namespace zq
