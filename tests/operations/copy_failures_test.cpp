// Paste when something inside a folder fails, or a listed name cannot be a
// PC file: the failure stops the copy, is reported, and the window goes.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "console_fixture.h"

namespace zq {
namespace {

namespace fs = std::filesystem;
using test::ConsoleFixture;

class CopyFailures : public ConsoleFixture {};

TEST_F(CopyFailures, NestedFoldersAreCopiedWholeBothWays) {
  WriteFile(pc / "TREE" / "SUB" / "DEEP" / "F.TXT", 7, 'f');
  WriteFile(pc / "TREE" / "SUB" / "G.TXT", 3, 'g');
  EXPECT_TRUE(ops.UploadItems({AsFolder(pc / "TREE")}, "zq:\\GAME\\", true));
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_EQ(ReadFile(Card("GAME/TREE/SUB/DEEP/F.TXT")), "fffffff");
  EXPECT_EQ(ReadFile(Card("GAME/TREE/SUB/G.TXT")), "ggg");

  fs::create_directory(pc / "back");
  EXPECT_TRUE(ops.DownloadItems({"zq:\\GAME\\TREE\\"}, AsFolder(pc / "back"), true));
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_EQ(ReadFile(pc / "back" / "TREE" / "SUB" / "DEEP" / "F.TXT"), "fffffff");
  EXPECT_EQ(ReadFile(pc / "back" / "TREE" / "SUB" / "G.TXT"), "ggg");
}

TEST_F(CopyFailures, AFailureDeepInsideAFolderFailsTheWholeUpload) {
  WriteFile(pc / "TREE" / "SUB" / "ONLY.TXT", 10);
  console.Console().AddFault(emu::Fault::ReplyCode(0xD0, 0, 0xFF));
  EXPECT_FALSE(ops.UploadItems({AsFolder(pc / "TREE")}, "zq:\\GAME\\", true));
  // -19 is not named by the single-file family.
  EXPECT_EQ(ui.Messages(), (Lines{"unknown error occurred"}));
  EXPECT_FALSE(ui.Progress().visible);

  // The paste reports by message and refreshes the views all the same.
  // The console still waits for the refused send's name: start afresh.
  ASSERT_EQ(link->Connect(), status::kOk);
  ui.ClearLog();
  fs::remove_all(Card("GAME/TREE"));
  console.Console().AddFault(emu::Fault::ReplyCode(0xD0, 0, 0xFF));
  EXPECT_TRUE(ops.CopyItems({AsFolder(pc / "TREE")}, "zq:\\GAME\\"));
  EXPECT_EQ(ui.Messages(), (Lines{"unknown error occurred"}));
  EXPECT_EQ(ui.Log().back(), "navigate");
  EXPECT_EQ(ui.WaitDepth(), 0);
}

TEST_F(CopyFailures, AFailureDeepInsideAFolderFailsTheWholeDownload) {
  WriteFile(Card("GAME/X/SUB/B.TXT"), 10);
  console.Console().AddFault(emu::Fault::ShortReply(0x70, 0, 10));
  EXPECT_FALSE(ops.DownloadItems({"zq:\\GAME\\X\\"}, AsFolder(pc.Path()), true));
  EXPECT_EQ(ui.Messages(), (Lines{"communication error occurred"}));
  EXPECT_FALSE(ui.Progress().visible);

  ui.ClearLog();
  fs::remove_all(pc / "X");
  console.Console().AddFault(emu::Fault::ShortReply(0x70, 0, 10));
  EXPECT_TRUE(ops.CopyItems({"zq:\\GAME\\X\\"}, AsFolder(pc.Path())));
  EXPECT_EQ(ui.Messages(), (Lines{"communication error occurred"}));
  EXPECT_EQ(ui.Log().back(), "navigate");
}

TEST_F(CopyFailures, AFailedDownloadHidesTheWindowWhenAsked) {
  WriteFile(Card("GAME/A.TXT"), 10);
  struct Case {
    const char* what;
    std::function<bool()> call;
  };
  const Case cases[] = {
      {"file",
       [&] { return ops.DownloadFile("zq:\\GAME\\A.TXT", pc.Path().string(), "A.TXT", true); }},
      {"items", [&] { return ops.DownloadItems({"zq:\\GAME\\A.TXT"}, AsFolder(pc.Path()), true); }},
  };
  for (const Case& c : cases) {
    ui.ClearLog();
    console.Console().AddFault(emu::Fault::ShortReply(0x70, 0, 10));
    EXPECT_FALSE(c.call()) << c.what;
    EXPECT_EQ(ui.Messages(), (Lines{"communication error occurred"})) << c.what;
    EXPECT_FALSE(ui.Progress().visible) << c.what;
    EXPECT_EQ(ui.LogOf("progress-hide").size(), 1u) << c.what;
  }
}

TEST_F(CopyFailures, ListedNamesThatCannotBePcFilesStopTheCopy) {
  // One entry of the listing of X renamed by the console; the honest file
  // ZZZ.TXT comes after it.
  WriteFile(Card("GAME/X/AAAAAAAA.TXT"), 4, 'a');
  WriteFile(Card("GAME/X/ZZZ.TXT"), 4, 'z');
  struct Case {
    std::uint8_t type;
    std::string name;
    const char* message;  // empty: skipped, the copy goes on
  };
  const Case cases[] = {
      {0, ".", ""},
      {1, "..", ""},
      {0, "A/B", "invalid character in file name\nfile name : zq:\\GAME\\X\\A/B"},
      {1, "A/B", "invalid character in folder name\nfolder name : zq:\\GAME\\X\\A/B"},
      {0, "A\\B", "invalid character in file name\nfile name : zq:\\GAME\\X\\A\\B"},
      // Bytes that are no CP949 text have no exact PC name: refused, never
      // mapped to a name another console file could share.
      {0,
       "\xFF"
       "A.DAT",
       "invalid character in file name\nfile name : zq:\\GAME\\X\\\xEF\xBF\xBD"
       "A.DAT"},
  };
  int run = 0;
  for (const Case& c : cases) {
    const fs::path into = pc / ("run" + std::to_string(run++));
    fs::create_directory(into);
    ui.ClearLog();
    std::vector<std::uint8_t> patch{c.type, static_cast<std::uint8_t>(c.name.size())};
    patch.insert(patch.end(), c.name.begin(), c.name.end());
    console.Console().AddFault(emu::Fault::Patch(0x95, 0, 1, patch));
    const bool copied = ops.DownloadItems({"zq:\\GAME\\X\\"}, AsFolder(into), true);
    const std::string message = c.message;
    if (message.empty()) {
      EXPECT_TRUE(copied) << c.name;
      EXPECT_TRUE(ui.Messages().empty()) << c.name;
      EXPECT_EQ(ReadFile(into / "X" / "ZZZ.TXT"), "zzzz") << c.name;
    } else {
      EXPECT_FALSE(copied) << c.name;
      EXPECT_EQ(ui.Messages(), (Lines{message})) << c.name;
      EXPECT_FALSE(fs::exists(into / "X" / "ZZZ.TXT")) << c.name;
    }
    EXPECT_FALSE(ui.Progress().visible) << c.name;
    // Nothing was written beside the folder chosen.
    EXPECT_EQ(std::distance(fs::directory_iterator(into), fs::directory_iterator()), 1) << c.name;
  }
}

}  // namespace
}  // namespace zq
