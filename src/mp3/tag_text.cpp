#include "mp3/tag_text.h"

namespace zq {

namespace {

bool IsSpace(unsigned char byte) {
  return byte == ' ' || (byte >= '\t' && byte <= '\r');
}

// Length of the character starting at `at`: 2 for a lead byte that has a
// byte after it, else 1.
std::size_t CharLength(std::string_view text, std::size_t at) {
  const auto byte = static_cast<std::uint8_t>(text[at]);
  return IsCp949Lead(byte) && at + 1 < text.size() ? 2 : 1;
}

}  // namespace

std::string TrimTrailingSpace(std::string_view text) {
  std::size_t keep = 0;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = CharLength(text, at);
    if (length == 2 || !IsSpace(static_cast<unsigned char>(text[at]))) {
      keep = at + length;
    }
    at += length;
  }
  return std::string(text.substr(0, keep));
}

std::string ReadTagText(std::span<const std::uint8_t> field) {
  std::size_t length = 0;
  while (length < field.size() && field[length] != 0) {
    ++length;
  }
  const std::string raw(field.begin(), field.begin() + static_cast<std::ptrdiff_t>(length));
  return TrimTrailingSpace(raw);
}

std::string CutWholeCharacters(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) {
    return std::string(text);
  }
  std::size_t keep = 0;
  for (std::size_t at = 0; at < maxBytes;) {
    const auto byte = static_cast<std::uint8_t>(text[at]);
    const std::size_t length = IsCp949Lead(byte) ? 2 : 1;
    if (at + length > maxBytes) {
      break;
    }
    at += length;
    keep = at;
  }
  return std::string(text.substr(0, keep));
}

}  // namespace zq
