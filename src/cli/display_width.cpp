#include "cli/display_width.h"

#include <cstdint>

namespace zq::cli {

namespace {

struct Range {
  char32_t first;
  char32_t last;
};

// The wide ranges that code page 949 can reach, and the common CJK blocks.
constexpr Range kWide[] = {
    {0x1100, 0x115F},    // Hangul Jamo, leading consonants
    {0x2E80, 0x303E},    // CJK radicals, symbols and punctuation
    {0x3041, 0x33FF},    // kana, compatibility Jamo, enclosed and squared forms
    {0x3400, 0x4DBF},    // CJK extension A
    {0x4E00, 0x9FFF},    // CJK unified ideographs (Hanja)
    {0xA960, 0xA97F},    // Hangul Jamo extended A
    {0xAC00, 0xD7A3},    // Hangul syllables
    {0xF900, 0xFAFF},    // CJK compatibility ideographs
    {0xFE30, 0xFE4F},    // CJK compatibility forms
    {0xFF00, 0xFF60},    // full-width forms
    {0xFFE0, 0xFFE6},    // full-width signs
    {0x20000, 0x3FFFD},  // CJK extensions B and later
};

constexpr Range kZero[] = {
    {0x0300, 0x036F},  // combining diacritical marks
    {0x1160, 0x11FF},  // Hangul Jamo vowels and trailing consonants (join the syllable)
    {0x200B, 0x200F},  // zero-width space, joiners, marks
    {0xFE00, 0xFE0F},  // variation selectors
};

template <std::size_t N>
bool In(const Range (&ranges)[N], char32_t c) {
  for (const Range& range : ranges) {
    if (c >= range.first && c <= range.last) {
      return true;
    }
  }
  return false;
}

// Decodes one UTF-8 character at `text[i]`, advancing `i`; a byte that does
// not start a well-formed character is taken alone as itself.
char32_t Next(std::string_view text, std::size_t& i) {
  const auto lead = static_cast<std::uint8_t>(text[i]);
  const std::size_t length = lead < 0x80           ? 1
                             : (lead >> 5) == 0x6  ? 2
                             : (lead >> 4) == 0xE  ? 3
                             : (lead >> 3) == 0x1E ? 4
                                                   : 0;
  if (length <= 1 || i + length > text.size()) {
    ++i;
    return lead;
  }
  char32_t c = lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    const auto byte = static_cast<std::uint8_t>(text[i + k]);
    if ((byte & 0xC0) != 0x80) {
      ++i;
      return lead;
    }
    c = (c << 6) | (byte & 0x3F);
  }
  i += length;
  return c;
}

}  // namespace

std::size_t DisplayWidth(std::string_view utf8) {
  std::size_t width = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t c = Next(utf8, i);
    width += In(kZero, c) ? 0 : In(kWide, c) ? 2 : 1;
  }
  return width;
}

}  // namespace zq::cli
