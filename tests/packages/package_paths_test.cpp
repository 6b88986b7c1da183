#include "packages/package_paths.h"

#include <gtest/gtest.h>

namespace zq {
namespace {

TEST(PackagePathsTest, ExtensionIsTheTextAfterTheLastDot) {
  EXPECT_EQ(ExtensionOf("/a/demo.FPK"), "FPK");
  EXPECT_EQ(ExtensionOf("A.B.ZXE"), "ZXE");
  EXPECT_EQ(ExtensionOf("noextension"), "");
  EXPECT_EQ(ExtensionOf("trailing."), "");
  EXPECT_TRUE(EqualsIgnoringCase("fPk", "FPK"));
  EXPECT_FALSE(EqualsIgnoringCase("fpk", "fpkx"));
}

TEST(PackagePathsTest, StoredFolderIsTheChosenFilesFolder) {
  EXPECT_EQ(FolderOfFile("/home/me/packages/demo.fpk"), "/home/me/packages");
  EXPECT_EQ(FolderOfFile("demo.fpk"), "");
  EXPECT_EQ(StartFolder("", "/opt/zq61/", "package"), "/opt/zq61/package");
  EXPECT_EQ(StartFolder("/kept", "/opt/zq61/", "package"), "/kept");
}

TEST(PackagePathsTest, BackupPathFollowsTheEntrysRelativePath) {
  const std::filesystem::path backup = "/pc/backup";
  EXPECT_EQ(BackupPathFor(backup, "", "DEMO.ZXE"), backup / "DEMO.ZXE");
  EXPECT_EQ(BackupPathFor(backup, "\\DATA\\SOUND", "A.DAT"), backup / "DATA" / "SOUND" / "A.DAT");
  // A CP949 name becomes its UTF-8 form on the PC ("가" is B0 A1).
  EXPECT_EQ(BackupPathFor(backup, "\\\xB0\xA1", "A.DAT"), backup / "\xEA\xB0\x80" / "A.DAT");
}

TEST(PackagePathsTest, BackupPathRefusesWhatLeadsOutOfTheFolder) {
  const std::filesystem::path backup = "/pc/backup";
  for (const auto& [path, name] :
       std::vector<std::pair<std::string, std::string>>{{"\\..", "A"},
                                                        {"\\.", "A"},
                                                        {"\\A\\..\\..", "A"},
                                                        {"..", "A"},
                                                        {"A", "B"},
                                                        {"/etc", "A"},
                                                        {"\\/etc", "A"},
                                                        {"C:\\X", "A"},
                                                        {"\\C:", "A"},
                                                        {"\\\\", "A"},
                                                        {"\\A\\", "B"},
                                                        {"", ".."},
                                                        {"", "."},
                                                        {"", ""},
                                                        {"", "a/b"},
                                                        {"", "a\\b"},
                                                        {"", "C:"},
                                                        {"", std::string("a\0b", 3)}}) {
    EXPECT_FALSE(BackupPathFor(backup, path, name)) << path << " | " << name;
  }
}

}  // namespace
}  // namespace zq
