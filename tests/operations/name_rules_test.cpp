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
