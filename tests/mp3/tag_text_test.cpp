#include "mp3/tag_text.h"

#include <gtest/gtest.h>

#include <vector>

namespace zq {
namespace {

std::vector<std::uint8_t> Field(const std::string& bytes, std::size_t width) {
  std::vector<std::uint8_t> field(width, 0);
  std::copy_n(bytes.begin(), std::min(width, bytes.size()), field.begin());
  return field;
}

TEST(TagTextTest, ReadsUpToTheFirstZeroOrTheWidth) {
  EXPECT_EQ(ReadTagText(Field("Title", 30)), "Title");
  EXPECT_EQ(ReadTagText(Field(std::string(30, 'x'), 30)), std::string(30, 'x'));
  EXPECT_EQ(ReadTagText(Field(std::string("ab\0cd", 5), 30)), "ab");
  EXPECT_EQ(ReadTagText(Field("2001", 4)), "2001");
  EXPECT_EQ(ReadTagText(Field("", 30)), "");
}

TEST(TagTextTest, TrimsTrailingWhiteSpaceOnly) {
  EXPECT_EQ(ReadTagText(Field("  Song \t\r\n ", 30)), "  Song");
  EXPECT_EQ(ReadTagText(Field("      ", 30)), "");
  EXPECT_EQ(TrimTrailingSpace("a b  "), "a b");
}

TEST(TagTextTest, DoubleByteCharactersStayWhole) {
  // "가" is B0 A1; a lead byte keeps its second byte whatever it is.
  EXPECT_EQ(TrimTrailingSpace("\xB0\xA1  "), "\xB0\xA1");
  // A lead byte followed by a byte in the white-space range (not valid
  // CP949, but it must not be split or trimmed).
  EXPECT_EQ(TrimTrailingSpace("a\x81 "), "a\x81 ");
  EXPECT_EQ(TrimTrailingSpace("a\x81  "), "a\x81 ");
}

TEST(TagTextTest, CutsAtWholeCharacters) {
  EXPECT_EQ(CutWholeCharacters("abcdefghij", 8), "abcdefgh");
  EXPECT_EQ(CutWholeCharacters("abc", 8), "abc");
  // The eighth byte starts a double-byte character: seven bytes are kept.
  EXPECT_EQ(CutWholeCharacters("abcdefg\xB0\xA1", 8), "abcdefg");
  EXPECT_EQ(CutWholeCharacters("\xB0\xA1\xB0\xA1\xB0\xA1\xB0\xA1\xB0\xA1", 8),
            "\xB0\xA1\xB0\xA1\xB0\xA1\xB0\xA1");
  EXPECT_EQ(CutWholeCharacters("a\xB0\xA1\xB0\xA1\xB0\xA1\xB0\xA1", 8),
            "a\xB0\xA1\xB0\xA1\xB0\xA1");
}

}  // namespace
}  // namespace zq
