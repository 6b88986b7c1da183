#include <gtest/gtest.h>

#include "views/rules/tree_rules.h"

namespace zq {
namespace {

TEST(TreeRules, PathOfNode) {
  EXPECT_EQ(PathOfNode(NodeRoot::Console, "", {}), "zq:\\");
  EXPECT_EQ(PathOfNode(NodeRoot::Console, "", {"game", "race"}), "zq:\\game\\race\\");
  EXPECT_EQ(PathOfNode(NodeRoot::Computer, "", {}), "");
  EXPECT_EQ(PathOfNode(NodeRoot::Computer, "/home/me/", {}), "/home/me/");
  EXPECT_EQ(PathOfNode(NodeRoot::Computer, "/home/me/", {"a", "b"}), "/home/me/a/b/");
  EXPECT_EQ(PathOfNode(NodeRoot::Computer, "/", {"srv"}), "/srv/");
}

TEST(TreeRules, DriveTextsShowTheRootInParentheses) {
  EXPECT_EQ(DriveNodeText("Local Disk", "C:\\"), "Local Disk (C:)");
  EXPECT_EQ(DriveNodeText("Home", "/home/me/"), "Home (/home/me)");
  EXPECT_EQ(DriveNodeText("root", "/"), "root (/)");
}

TEST(TreeRules, SelectFolderFindsTheDriveOrSaysWhatIsMissing) {
  const std::vector<DriveNode> drives = {
      {"Home (/home/me)", "/home/me/"}, {"root (/)", "/"}, {"Card (/media/card)", "/media/card/"}};
  std::string part;
  EXPECT_EQ(FindDriveForPath("/home/me/music/", drives, part), 0U);
  EXPECT_EQ(FindDriveForPath("/media/card/x/", drives, part), 2U);
  EXPECT_EQ(FindDriveForPath("/etc/", drives, part), 1U);

  EXPECT_FALSE(FindDriveForPath("x:\\data\\", drives, part));
  EXPECT_EQ(part, "X:");
  EXPECT_EQ(CouldNotFindDriveMessage(part, "x:\\data\\"),
            "[SelectFolder]couldn't find X: from x:\\data\\");

  const std::vector<DriveNode> windows = {{"Local Disk (C:)", "C:\\"}, {"Data (D:)", "D:\\"}};
  EXPECT_EQ(FindDriveForPath("d:\\games\\", windows, part), 1U);

  EXPECT_FALSE(FindDriveForPath("/srv/", {{"Home (/home/me)", "/home/me/"}}, part));
  EXPECT_EQ(part, "/srv");
}

TEST(TreeRules, NamesBelowTheRoot) {
  EXPECT_EQ(NamesBelowRoot("zq:\\game\\race\\", "zq:\\"),
            (std::vector<std::string>{"game", "race"}));
  EXPECT_TRUE(NamesBelowRoot("zq:\\", "zq:\\").empty());
  EXPECT_EQ(NamesBelowRoot("/home/me/a/b/", "/home/me/"), (std::vector<std::string>{"a", "b"}));
}

}  // namespace
}  // namespace zq
