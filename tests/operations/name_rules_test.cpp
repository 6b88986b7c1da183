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

TEST(NameRules, SpaceComesBeforePeriodAndTheSingleFileCutsAtTheFirstPeriod) {
  // A name breaking both the space and the period rule reports the space.
  EXPECT_STREQ(FileNameFault("a b.c.txt"), "no space is allowed in file name");
  EXPECT_STREQ(FolderNameFault("a b.c"), "no space is allowed in file name");
  EXPECT_STREQ(FolderNameFault("a.b"), "period(.) character is not allowed in folder name");
  EXPECT_STREQ(FolderNameFault("ABCDEFGHI"),
               "too long folder name\nmaximum 8 characters allowed for folder name");
  EXPECT_EQ(FolderNameFault("ABCDEFGH"), nullptr);
  // The length check of a single file takes the part before the first period.
  EXPECT_FALSE(BaseNameTooLong("AB.CDEFGHIJ.TXT"));
  EXPECT_TRUE(BaseNameTooLong("ABCDEFGHI.T"));
  EXPECT_TRUE(BaseNameTooLong("ABCDEFGHI"));
  EXPECT_FALSE(BaseNameTooLong("ABCDEFGH"));
}

TEST(NameRules, CharactersACardCannotStoreAreRefused) {
  for (const char c : std::string_view("\\/:*?\"<>|\x01\x1f\0", 12)) {
    const std::string name = std::string("A") + c + "B.TXT";
    EXPECT_TRUE(HoldsCharacterCardCannotStore(name)) << int{c};
    EXPECT_EQ(StorableCardName(name), std::nullopt) << int{c};
  }
  for (const std::string_view good : {"GAME.ZXE", "A+B.TXT", "~1", "\x7f"}) {
    EXPECT_FALSE(HoldsCharacterCardCannotStore(good)) << good;
  }
  // Korean names keep their CP949 bytes; a character without a CP949 form is refused.
  EXPECT_EQ(StorableCardName("\xED\x95\x9C.TXT"), "\xC7\xD1.TXT");
  EXPECT_EQ(StorableCardName("\xF0\x9F\x8E\xAE.TXT"), std::nullopt);
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
