// Create folder, remove and format against the in-process console.
#include <gtest/gtest.h>

#include <filesystem>

#include "console_fixture.h"

namespace zq {
namespace {

namespace fs = std::filesystem;
using test::ConsoleFixture;

class FolderOperations : public ConsoleFixture {};

TEST_F(FolderOperations, CreateShowsTheWindowAndAddsTheTreeNode) {
  EXPECT_TRUE(ops.CreateRemoteFolder("zq:\\GAME\\NEW", true));
  EXPECT_TRUE(fs::is_directory(Card("GAME/NEW")));
  EXPECT_EQ(ui.Log(), (Lines{"wait-begin", "progress-caption: now creating...", "animation: 3",
                             "progress-line: now creating folder 'NEW'", "progress-show",
                             "progress-hide", "add-folder-node: zq:\\GAME\\NEW\\", "wait-end"}));
}

TEST_F(FolderOperations, ExistingFolderIsRefusedWithoutACreateCommand) {
  fs::create_directory(Card("GAME/NEW"));
  EXPECT_FALSE(ops.CreateRemoteFolder("zq:\\game\\new", true));
  EXPECT_EQ(ui.Messages(), (Lines{"same folder already exists"}));
  EXPECT_FALSE(SawCommand(0xA0));
  EXPECT_TRUE(ui.LogOf("add-folder-node").empty());
  EXPECT_FALSE(ui.Progress().visible);
}

TEST_F(FolderOperations, AFileOfThatNameDoesNotStopTheCreateCommand) {
  WriteFile(Card("GAME/NEW"), 1);
  ops.CreateRemoteFolder("zq:\\GAME\\NEW", true);
  EXPECT_TRUE(SawCommand(0xA0));
}

TEST_F(FolderOperations, MissingParentAndFailedExistenceTest) {
  EXPECT_FALSE(ops.CreateRemoteFolder("zq:\\NOWHERE\\NEW", true));
  // The existence test lists the parent first: a missing parent fails there.
  EXPECT_EQ(ui.Messages(), (Lines{"an error occurred in ZQ61 during process"}));
  ui.ClearLog();
  console.Console().AddFault(emu::Fault::ReplyCode(0xA0, 0, 0xFE));
  EXPECT_FALSE(ops.CreateRemoteFolder("zq:\\GAME\\NEW", true));
  EXPECT_EQ(ui.Messages(), (Lines{"target path is not exist"}));
  // A refused create leaves the tree alone.
  EXPECT_TRUE(ui.LogOf("add-folder-node").empty());
}

TEST_F(FolderOperations, RemovalStopsAtTheFirstRefusal) {
  WriteFile(Card("GAME/DIR/IN.TXT"), 10);
  WriteFile(Card("GAME/KEEP.TXT"), 10);
  EXPECT_FALSE(ops.RemoveRemoteItems(
      {"zq:\\GAME\\..\\", "zq:\\GAME\\DIR\\", "zq:\\GAME\\MISSING.TXT", "zq:\\GAME\\KEEP.TXT"},
      true));
  EXPECT_EQ(ui.Messages(), (Lines{"an error occurred in ZQ61 during process"}));
  EXPECT_FALSE(fs::exists(Card("GAME/DIR")));
  EXPECT_TRUE(fs::exists(Card("GAME/KEEP.TXT")));
  EXPECT_TRUE(fs::exists(Card("MP3")));  // the ".." entry was skipped
  EXPECT_EQ(ui.LogOf("remove-folder-node"), (Lines{"remove-folder-node: zq:\\GAME\\DIR\\"}));
  EXPECT_FALSE(ui.Progress().visible);
}

TEST_F(FolderOperations, RefusedFolderRemovalKeepsTheTreeNode) {
  console.Console().AddFault(emu::Fault::ReplyCode(0xB0, 0, 0xFF));
  fs::create_directory(Card("GAME/DIR"));
  EXPECT_FALSE(ops.RemoveRemoteFolder("zq:\\GAME\\DIR", true));
  EXPECT_EQ(ui.Messages(), (Lines{"an error occurred in ZQ61 during process"}));
  EXPECT_TRUE(ui.LogOf("remove-folder-node").empty());
}

TEST_F(FolderOperations, RemoveAfterACopyKeepsTheByteCounter) {
  WriteFile(pc / "A.TXT", 1000);
  fs::create_directory(Card("GAME/DIR"));
  ASSERT_TRUE(ops.UploadFile((pc / "A.TXT").string(), "zq:\\GAME\\DIR", false));
  EXPECT_EQ(ui.Progress().byteCounter, "1000 / 1000 Bytes");
  EXPECT_TRUE(ui.Progress().visible);
  EXPECT_TRUE(ops.RemoveRemoteFolder("zq:\\GAME\\DIR", true));
  EXPECT_EQ(ui.Progress().caption, "now removing folder...");
  EXPECT_EQ(ui.Progress().line, "now removing folder 'zq:\\GAME\\DIR'");
  EXPECT_EQ(ui.Progress().animation, Animation::Remove);
  EXPECT_EQ(ui.Progress().byteCounter, "1000 / 1000 Bytes");
  EXPECT_FALSE(ui.Progress().visible);
  EXPECT_FALSE(fs::exists(Card("GAME/DIR")));
}

TEST_F(FolderOperations, RemoveFileShowsItsPath) {
  WriteFile(Card("GAME/OLD.SAV"), 10);
  EXPECT_TRUE(ops.RemoveRemoteFile("zq:\\GAME\\OLD.SAV", false));
  EXPECT_EQ(ui.Progress().caption, "now removing file...");
  EXPECT_EQ(ui.Progress().line, "now removing file 'zq:\\GAME\\OLD.SAV'");
  EXPECT_TRUE(ui.Progress().visible);
  EXPECT_FALSE(fs::exists(Card("GAME/OLD.SAV")));
}

TEST_F(FolderOperations, FormatLeavesTheFiveStandardFolders) {
  for (const char* folder : {"GAME", "MP3", "ZQSYS", "ZQMM", "ZQETC"}) {
    fs::remove_all(Card(folder));
  }
  WriteFile(Card("MINE/A.TXT"), 10);
  ui.ScriptAnswer(Answer::Yes);
  EXPECT_TRUE(ops.FormatCardWithPrompt(true));
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(console.CardDir())) {
    EXPECT_TRUE(entry.is_directory());
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (Lines{"GAME", "MP3", "ZQETC", "ZQMM", "ZQSYS"}));
  // The console erases everything; creating the folders again meets no
  // existing one, so no message is shown.
  EXPECT_TRUE(ui.Messages().empty());
  // The host asks for each standard folder in turn, and each joins the tree.
  EXPECT_EQ(ui.LogOf("progress-line"),
            (Lines{"progress-line: now formatting", "progress-line: now creating folder 'GAME'",
                   "progress-line: now creating folder 'MP3'",
                   "progress-line: now creating folder 'ZQSYS'",
                   "progress-line: now creating folder 'ZQMM'",
                   "progress-line: now creating folder 'ZQETC'"}));
  EXPECT_EQ(ui.LogOf("add-folder-node"),
            (Lines{"add-folder-node: zq:\\GAME\\", "add-folder-node: zq:\\MP3\\",
                   "add-folder-node: zq:\\ZQSYS\\", "add-folder-node: zq:\\ZQMM\\",
                   "add-folder-node: zq:\\ZQETC\\"}));
  EXPECT_FALSE(ui.Progress().visible);
}

TEST_F(FolderOperations, FormatSteps) {
  ui.ScriptAnswer(Answer::No);
  EXPECT_FALSE(ops.FormatCardWithPrompt(true));
  EXPECT_FALSE(SawCommand(0x80));
  EXPECT_EQ(ui.Log(), (Lines{"ask: you will lost all data in SMC.\nprogress anyway?"}));

  ui.ClearLog();
  ui.ScriptAnswer(Answer::Yes);
  console.Console().AddFault(emu::Fault::ReplyCode(0x80, 1, 0xFF));
  EXPECT_FALSE(ops.FormatCardWithPrompt(true));
  EXPECT_EQ(ui.Messages(), (Lines{"an error occurred in ZQ61 during process"}));
  EXPECT_EQ(ui.Progress().caption, "now formatting...");
  EXPECT_EQ(ui.Progress().line, "now formatting");
  EXPECT_EQ(ui.Progress().animation, Animation::Format);
  EXPECT_FALSE(ui.Progress().visible);
}

}  // namespace
}  // namespace zq
