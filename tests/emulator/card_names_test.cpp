#include "emulator/card_names.h"

#include <gtest/gtest.h>

namespace zq::emu {
namespace {

TEST(CardNamesTest, ShortNamesAsAFatCardWithoutLongNamesTakesThem) {
  for (const char* ok :
       {"A", "GAME", "TETRIS.BIN", "12345678.123", "a~1.x", "\xC7\xD1\xB1\xDB.MP3"}) {
    EXPECT_TRUE(IsShortName(ok)) << ok;
  }
  for (const char* bad : {"", ".", "..", ".BIN", "NINECHARS", "A.BINX", "A.", "A.B.C", "A B", "A*B",
                          "A\\B", "A/B", "A:B", "A\x01"}) {
    EXPECT_FALSE(IsShortName(bad)) << bad;
  }
}

TEST(CardNamesTest, ConsolePathsSplitIntoNames) {
  using Names = std::vector<std::string>;
  EXPECT_EQ(SplitConsolePath("zq:\\"), Names{});
  EXPECT_EQ(SplitConsolePath("ZQ:"), Names{});
  EXPECT_EQ(SplitConsolePath("zq:\\game\\"), Names{"game"});
  EXPECT_EQ(SplitConsolePath("Zq:\\GAME\\X\\A.BIN"), (Names{"GAME", "X", "A.BIN"}));
  EXPECT_FALSE(SplitConsolePath("c:\\game"));
  EXPECT_FALSE(SplitConsolePath("zq:\\game\\\\x"));
  EXPECT_FALSE(SplitConsolePath("zq:\\game\\\\"));
  EXPECT_FALSE(SplitConsolePath("zq"));
}

}  // namespace
}  // namespace zq::emu
