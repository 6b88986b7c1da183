#include "mp3/basket_names.h"

#include <algorithm>
#include <cstdint>

#include "mp3/tag_text.h"
#include "platform/card_text.h"
#include "platform/codepage.h"

namespace zq {

namespace {

char FoldAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Length of the UTF-8 sequence a lead byte announces; 1 for a stray byte.
std::size_t Utf8Length(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) {
    return 4;
  }
  if (lead >= 0xE0) {
    return lead <= 0xEF ? 3 : 1;
  }
  if (lead >= 0xC2) {
    return 2;
  }
  return 1;
}

}  // namespace

std::string_view BaseNameOf(std::string_view fileName) {
  return fileName.substr(0, fileName.find('.'));
}

std::string_view FilePartOf(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool HasMp3Extension(std::string_view fileName) {
  const std::size_t dot = fileName.rfind('.');
  const std::string_view extension =
      dot == std::string_view::npos ? std::string_view() : fileName.substr(dot + 1);
  return EqualIgnoringCase(extension, "mp3");
}

std::string ToCp949(std::string_view utf8) {
  if (auto whole = Utf8ToCp949(utf8)) {
    return *whole;
  }
  std::string out;
  while (!utf8.empty()) {
    const std::size_t length =
        std::min(utf8.size(), Utf8Length(static_cast<unsigned char>(utf8.front())));
    const auto one = Utf8ToCp949(utf8.substr(0, length));
    out += one ? *one : std::string("?");
    utf8.remove_prefix(length);
  }
  return out;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) {
      return false;
    }
  }
  return true;
}

bool EqualIgnoringCaseCp949(std::string_view a, std::string_view b) {
  return SameCardNameIgnoringCase(a, b);
}

bool HasForbiddenNameCharacter(std::string_view consoleName) {
  static constexpr std::string_view kForbidden = "\\/:*?\"<>| .";
  for (std::size_t i = 0; i < consoleName.size(); ++i) {
    if (IsCp949Lead(static_cast<std::uint8_t>(consoleName[i])) && i + 1 < consoleName.size()) {
      ++i;
    } else if (kForbidden.find(consoleName[i]) != std::string_view::npos) {
      return true;
    }
  }
  return false;
}

std::string ConsoleNameFromPcFile(std::string_view pcFilePath) {
  return CutWholeCharacters(ToCp949(BaseNameOf(FilePartOf(pcFilePath))), kConsoleNameBytes);
}

}  // namespace zq
