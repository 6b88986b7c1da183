#include "operations/name_rules.h"

#include <gtest/gtest.h>

#include "operations/path_rules.h"

namespace zq {
namespace {

TEST(NameRules, FileNamesAreCheckedInOrder) {
  EXPECT_EQ(FileNameFault("GAME.ZXE"), nullptr);
  EXPECT_EQ(FileNameFault("ABCDEFGH.TXT"), nullptr);
  EXPECT_STREQ(FileNameFault("readme"),
               "invalid extension. only 3 characters are allowed for extension");
  EXPECT_STREQ(FileNameFault("a.txt.bak"), "period(.) character is not allowed in file name");
  EXPECT_STREQ(FileNameFault("a.txt.back"),
               "invalid extension. only 3 characters are allowed for extension");
  EXPECT_STREQ(FileNameFault("LONGNAME1.TXT"),
               "too long file name\nmaximum 8 characters allowed for file name");
  // The extension rule comes before the space rule.
  EXPECT_STREQ(FileNameFault("my file.text"),
               "invalid extension. only 3 characters are allowed for extension");
  EXPECT_STREQ(FileNameFault("my file.txt"), "no space is allowed in file name");
  EXPECT_STREQ(FileNameFault("a.t t"), "no space is allowed in file name");
}

TEST(NameRules, LengthsCountBytes) {
  // Two double-byte characters are 4 bytes; five are 10.
  EXPECT_EQ(FileNameFault("\xC7\xD1\xB1\xDB.TXT"), nullptr);
  EXPECT_STREQ(FileNameFault("\xC7\xD1\xB1\xDB\xC7\xD1\xB1\xDB\xC7\xD1.TXT"),
               "too long file name\nmaximum 8 characters allowed for file name");
  EXPECT_EQ(FolderNameFault("\xC7\xD1\xB1\xDB"), nullptr);
}

TEST(NameRules, FolderNames) {
  EXPECT_EQ(FolderNameFault("GAME"), nullptr);
  EXPECT_EQ(FolderNameFault("ABCDEFGH"), nullptr);
  EXPECT_STREQ(FolderNameFault("MY GAMES.X"), "no space is allowed in file name");
  EXPECT_STREQ(FolderNameFault("v1.0"), "period(.) character is not allowed in folder name");
  EXPECT_STREQ(FolderNameFault("ABCDEFGHI"),
               "too long folder name\nmaximum 8 characters allowed for folder name");
}

TEST(NameRules, SingleFileBaseIsBeforeTheFirstPeriod) {
  EXPECT_FALSE(BaseNameTooLong("ABCDEFGH.TXT"));
  EXPECT_FALSE(BaseNameTooLong("A.LONGEXTENSION"));
  EXPECT_TRUE(BaseNameTooLong("ABCDEFGHI.TXT"));
  EXPECT_TRUE(BaseNameTooLong("ABCDEFGHI"));
}

TEST(PathRules, ConsolePathsAndComponents) {
  EXPECT_TRUE(IsConsolePath("zq:\\game\\"));
  EXPECT_TRUE(IsConsolePath("ZQ:\\GAME\\"));
  EXPECT_TRUE(IsConsolePath("Zq"));
  EXPECT_FALSE(IsConsolePath("z"));
  EXPECT_FALSE(IsConsolePath("/home/zq/"));
  EXPECT_EQ(LastComponent("zq:\\GAME\\NEW\\", '\\'), "NEW");
  EXPECT_EQ(LastComponent("/tmp/a b/SAVES/", '/'), "SAVES");
  EXPECT_EQ(ParentWithSeparator("zq:\\GAME\\NEW", '\\'), "zq:\\GAME\\");
  EXPECT_EQ(ConsoleFolder("zq:\\"), "zq:\\");
  EXPECT_EQ(ConsoleFolder("zq:\\GAME"), "zq:\\GAME\\");
  EXPECT_EQ(ConsoleChild("zq:\\GAME\\", "A.ZXE"), "zq:\\GAME\\A.ZXE");
  EXPECT_TRUE(IsDotEntry("zq:\\GAME\\..\\"));
  EXPECT_TRUE(IsDotEntry("zq:\\GAME\\.\\"));
  EXPECT_FALSE(IsDotEntry("zq:\\GAME\\X\\"));
}

TEST(PathRules, ListedNamesThatCouldLeaveTheFolderAreUnsafe) {
  EXPECT_TRUE(IsSafeChildName("GAME.ZXE"));
  EXPECT_TRUE(IsSafeChildName("..A"));
  for (std::string_view bad : {"", ".", "..", "../x", "a/b", "a\\b", "/etc"}) {
    EXPECT_FALSE(IsSafeChildName(bad)) << bad;
  }
  EXPECT_FALSE(IsSafeChildName(std::string_view("a\0b", 3)));
}

}  // namespace
}  // namespace zq
