#include "mp3/pc_folder_browser.h"

#include <gtest/gtest.h>

#include "mp3/scratch_folder.h"
#include "support/mp3_builder.h"

namespace zq {
namespace {

std::string Describe(const std::vector<PcRow>& rows) {
  std::string text;
  for (const PcRow& row : rows) {
    text += row.name + (row.sizeText.empty() ? "" : " " + row.sizeText) + "|";
  }
  return text;
}

TEST(PcFolderBrowserTest, ListsParentFoldersMp3FilesThenVolumes) {
  test::ScratchFolder scratch;
  std::filesystem::create_directory(scratch.Path() / "Rock");
  std::filesystem::create_directory(scratch.Path() / "Jazz");
  test::Mp3Builder().Audio(2048).WriteTo(scratch.Path() / "b.mp3");
  test::Mp3Builder().Audio(1023).WriteTo(scratch.Path() / "a.MP3");
  test::Mp3Builder().Audio(5000).WriteTo(scratch.Path() / ".hidden.mp3");
  test::Mp3Builder().Audio(10).WriteTo(scratch.Path() / "notes.txt");
  test::Mp3Builder().Audio(10).WriteTo(scratch.Path() / "mp3");

  PcFolderBrowser browser(scratch.Path().string());
  EXPECT_EQ(browser.Folder(), scratch.Folder());
  const std::vector<PcRow> rows = browser.List({"/", "/zq-test-volume"});
  EXPECT_EQ(Describe(rows), "..|Jazz|Rock|a.MP3 0KB|b.mp3 2KB|[/zq-test-volume]|");
  EXPECT_EQ(rows[0].fullPath, PcFolderBrowser::ParentOf(scratch.Folder()));
  EXPECT_EQ(rows[2].fullPath, scratch.Folder() + "Rock/");
  EXPECT_EQ(rows[4].fullPath, scratch.Folder() + "b.mp3");
  EXPECT_EQ(rows[5].fullPath, "/zq-test-volume/");

  PcFolderBrowser copy = browser;
  EXPECT_FALSE(copy.Open(rows[4]));
  EXPECT_TRUE(copy.Open(rows[2]));
  EXPECT_EQ(copy.Folder(), scratch.Folder() + "Rock/");
  EXPECT_TRUE(copy.Open(copy.List({})[0]));
  EXPECT_EQ(copy.Folder(), scratch.Folder());
  EXPECT_TRUE(copy.Open(rows[5]));
  EXPECT_EQ(copy.Folder(), "/zq-test-volume/");
}

TEST(PcFolderBrowserTest, ParentKeepsTheSeparatorAndRootHasNone) {
  EXPECT_EQ(PcFolderBrowser::ParentOf("/music/rock/"), "/music/");
  EXPECT_EQ(PcFolderBrowser::ParentOf("/music/"), "/");
  EXPECT_EQ(PcFolderBrowser::ParentOf("/"), "/");
  EXPECT_EQ(PcFolderBrowser::WithSeparator("/music"), "/music/");
  EXPECT_EQ(PcFolderBrowser::WithSeparator(""), "/");
  PcFolderBrowser root("/");
  const auto rows = root.List({"/"});
  ASSERT_FALSE(rows.empty());
  EXPECT_NE(rows[0].name, "..");
  EXPECT_EQ(Describe(rows).find("[/]"), std::string::npos);
}

TEST(PcFolderBrowserTest, MissingFolderListsOnlyItsParentAndVolumes) {
  PcFolderBrowser browser("/no/such/folder/zq");
  EXPECT_EQ(Describe(browser.List({"/media/usb"})), "..|[/media/usb]|");
}

}  // namespace
}  // namespace zq
