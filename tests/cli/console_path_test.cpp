#include <gtest/gtest.h>

#include "cli/command_arguments.h"
#include "cli/console_path.h"

namespace zq::cli {
namespace {

TEST(ConsolePathTest, EveryWayOfWritingAFolderEndsAtTheCardsRoot) {
  EXPECT_EQ(ToConsolePath("zq:\\GAME"), "zq:\\GAME");
  EXPECT_EQ(ToConsolePath("ZQ:\\game\\"), "zq:\\game\\");
  EXPECT_EQ(ToConsolePath("zq:/game/race"), "zq:\\game\\race");
  EXPECT_EQ(ToConsolePath("zq:game"), "zq:\\game");
  EXPECT_EQ(ToConsolePath("GAME//RACE/"), "zq:\\GAME\\RACE\\");
  EXPECT_EQ(ToConsolePath(""), "zq:\\");
  EXPECT_EQ(ToConsolePath("/"), "zq:\\");
  EXPECT_EQ(ToConsoleFolder("zq:"), "zq:\\");
  EXPECT_EQ(ToConsoleFolder("mp3"), "zq:\\mp3\\");
  EXPECT_EQ(ToConsoleFolder("mp3\\"), "zq:\\mp3\\");
}

TEST(ConsolePathTest, NamesAreSentInTheCardsCodePage) {
  // "노래" is two double-byte characters in CP949.
  EXPECT_EQ(ToConsolePath("MP3/\xEB\x85\xB8\xEB\x9E\x98"), "zq:\\MP3\\\xB3\xEB\xB7\xA1");
  EXPECT_EQ(ToConsolePath("MP3/\xF0\x9F\x8E\xB5"), std::nullopt);  // no CP949 form
}

TEST(ConsolePathTest, DotComponentsAreNoCardNames) {
  EXPECT_EQ(ToConsolePath("GAME/../X"), std::nullopt);
  EXPECT_EQ(ToConsolePath("zq:\\GAME\\.\\"), std::nullopt);
  EXPECT_EQ(ToConsoleFolder(".."), std::nullopt);
  EXPECT_EQ(ToConsolePath("GAME/..X"), "zq:\\GAME\\..X");
}

TEST(ConsolePathTest, TrailingBackslashMarksAFolder) {
  EXPECT_TRUE(IsConsoleFolderPath("zq:\\GAME\\"));
  EXPECT_FALSE(IsConsoleFolderPath("zq:\\GAME\\A.ZXE"));
  EXPECT_EQ(WithoutTrailingBackslash("zq:\\GAME\\"), "zq:\\GAME");
  EXPECT_EQ(WithoutTrailingBackslash("zq:\\"), "zq:\\");
}

TEST(CommandArgumentsTest, OptionsTakeValuesAndDoubleDashEndsThem) {
  std::string error;
  const auto split = SplitArguments({"a.mp3", "--title", "T", "--year=1999", "--", "--name"},
                                    {"--title", "--year", "--name"}, error);
  ASSERT_TRUE(split) << error;
  EXPECT_EQ(split->positionals, (std::vector<std::string>{"a.mp3", "--name"}));
  EXPECT_EQ(split->values.at("--title"), "T");
  EXPECT_EQ(split->values.at("--year"), "1999");

  EXPECT_FALSE(SplitArguments({"--title"}, {"--title"}, error));
  EXPECT_EQ(error, "option --title needs a value");
  EXPECT_FALSE(SplitArguments({"-x"}, {"--title"}, error));
  EXPECT_EQ(error, "unknown option -x");
}

}  // namespace
}  // namespace zq::cli
