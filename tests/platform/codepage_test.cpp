#include "platform/codepage.h"

#include <gtest/gtest.h>

namespace zq {
namespace {

TEST(CodepageTest, AsciiAndKoreanRoundTrip) {
  EXPECT_EQ(Utf8ToCp949("GAME.BIN"), "GAME.BIN");
  // "한글" is C7 D1 B1 DB in CP949: two bytes a character, counted in bytes.
  const auto cp = Utf8ToCp949("\xED\x95\x9C\xEA\xB8\x80");
  ASSERT_TRUE(cp.has_value());
  EXPECT_EQ(*cp, "\xC7\xD1\xB1\xDB");
  EXPECT_EQ(Cp949ToUtf8(*cp), "\xED\x95\x9C\xEA\xB8\x80");
}

TEST(CodepageTest, CharacterWithoutCp949FormIsRefused) {
  EXPECT_FALSE(Utf8ToCp949("snow \xE2\x98\x83").has_value());  // U+2603 snowman
  EXPECT_FALSE(Utf8ToCp949("bad \xFF utf8").has_value());
}

TEST(CodepageTest, UndecodableBytesBecomeReplacementCharacters) {
  EXPECT_EQ(Cp949ToUtf8("A\xFF"
                        "B"),
            "A\xEF\xBF\xBD"
            "B");
  // A lead byte at the very end has no trail byte.
  EXPECT_EQ(Cp949ToUtf8("AB\xC7"), "AB\xEF\xBF\xBD");
  EXPECT_EQ(Cp949ToUtf8(""), "");
}

TEST(CodepageTest, PcNamesComeOnlyFromAnExactForm) {
  // Names the lossy form maps alike: each would be the same PC file.
  for (const char* lossy : {"\xFF"
                            "A.DAT",
                            "\xFE"
                            "A.DAT",
                            "\x80"
                            "A.DAT",
                            "AB\xC7"}) {
    EXPECT_EQ(Cp949ToUtf8Exact(lossy), std::nullopt) << lossy;
  }
  EXPECT_EQ(Cp949ToUtf8Exact("GAME.BIN"), "GAME.BIN");
  EXPECT_EQ(Cp949ToUtf8Exact("\xC7\xD1\xB1\xDB.DAT"), "\xED\x95\x9C\xEA\xB8\x80.DAT");
  EXPECT_EQ(Cp949ToUtf8Exact(""), "");
}

}  // namespace
}  // namespace zq
