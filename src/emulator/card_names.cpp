#include "emulator/card_names.h"

#include <algorithm>

namespace zq::emu {
namespace {

// A CP949 double-byte character starts with a byte 0x81 to 0xFE; its second
// byte may fall on an ASCII letter and is no letter then.
bool StartsDoubleByte(std::string_view name, std::size_t at) {
  const auto byte = static_cast<unsigned char>(name[at]);
  return byte >= 0x81 && byte <= 0xFE && at + 1 < name.size();
}

// The name with the ASCII letters outside double-byte characters changed by `change`.
template <typename Change>
std::string MapLetters(std::string_view name, Change change) {
  std::string out(name);
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (StartsDoubleByte(out, i)) {
      ++i;
    } else {
      out[i] = change(out[i]);
    }
  }
  return out;
}

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsShortNameByte(char c) {
  const auto b = static_cast<unsigned char>(c);
  if (b < 0x20 || c == ' ' || c == '.') {
    return false;
  }
  constexpr std::string_view kForbidden = "\"*+,/:;<=>?[\\]|";
  return kForbidden.find(c) == std::string_view::npos;
}

}  // namespace

bool IsShortName(std::string_view name) {
  const std::size_t dot = name.find('.');
  const std::string_view base = name.substr(0, dot);
  const std::string_view ext = dot == std::string_view::npos ? "" : name.substr(dot + 1);
  if (base.empty() || base.size() > 8 || ext.size() > 3) {
    return false;
  }
  if (dot != std::string_view::npos && ext.empty()) {
    return false;
  }
  return std::all_of(base.begin(), base.end(), IsShortNameByte) &&
         std::all_of(ext.begin(), ext.end(), IsShortNameByte);
}

std::optional<std::vector<std::string>> SplitConsolePath(std::string_view path) {
  if (path.size() < 3 || !SameNameIgnoringAsciiCase(path.substr(0, 3), "zq:")) {
    return std::nullopt;
  }
  path.remove_prefix(3);
  if (!path.empty() && path.front() == '\\') {
    path.remove_prefix(1);
  }
  if (!path.empty() && path.back() == '\\') {
    path.remove_suffix(1);
  }
  std::vector<std::string> names;
  while (!path.empty()) {
    const std::size_t sep = path.find('\\');
    const std::string_view name = path.substr(0, sep);
    if (name.empty()) {
      return std::nullopt;
    }
    names.emplace_back(name);
    if (sep == std::string_view::npos) {
      break;
    }
    path.remove_prefix(sep + 1);
    if (path.empty()) {
      return std::nullopt;  // a second trailing backslash
    }
  }
  return names;
}

bool SameNameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && MapLetters(a, AsciiLower) == MapLetters(b, AsciiLower);
}

std::string UpperCaseShortName(std::string_view name) {
  return MapLetters(name, AsciiUpper);
}

}  // namespace zq::emu
