// Device operations that decide before the link is used, with a session that
// is not connected and the scripted user interface.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "operations/device_operations.h"
#include "support/fake_user_interface.h"
#include "support/temp_dir.h"

namespace zq {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

class OfflineOperations : public ::testing::Test {
 protected:
  void Touch(const fs::path& path) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << "x";
  }

  test::TempDir dir;
  LinkSession link{nullptr, LinkTiming{std::chrono::milliseconds(10)}};
  test::FakeUserInterface ui;
  DeviceOperations ops{link, ui};
};

TEST_F(OfflineOperations, ProgressOfAThousandByteTransferEndsFull) {
  EXPECT_EQ(ops.TransferStarted({"GAME.ZXE", "zq:\\GAME\\", "GAME.ZXE", 1000}), status::kGoOn);
  EXPECT_EQ(ops.TransferProgressed({256, 1000, 256}), status::kGoOn);
  EXPECT_EQ(ops.TransferProgressed({1000, 1000, 232}), status::kGoOn);
  EXPECT_EQ(ui.Log(),
            (Lines{"progress-caption: now copying...", "progress-line: now copying file 'GAME.ZXE'",
                   "byte-counter: 0 / 1000 Bytes", "progress-range: 1000", "progress-position: 256",
                   "byte-counter: 256 / 1000 Bytes", "progress-position: 1000",
                   "byte-counter: 1000 / 1000 Bytes"}));
  EXPECT_EQ(ui.Progress().position, ui.Progress().range);
}

TEST_F(OfflineOperations, StartRecordNamesAreConsoleNamesShownInUtf8) {
  ops.TransferStarted({"x", "", "\xC7\xD1\xB1\xDB.TXT", 4});
  EXPECT_EQ(ui.Progress().line, "now copying file '한글.TXT'");
}

TEST_F(OfflineOperations, NotConnectedStopsDiskInfoAndUpload) {
  EXPECT_FALSE(ops.ShowDiskInfo());
  Touch(dir / "GAME.ZXE");
  EXPECT_FALSE(ops.UploadItems({(dir / "GAME.ZXE").string()}, "zq:\\GAME\\", true));
  EXPECT_EQ(ui.Messages(), (Lines{"not connected to ZQ61", "not connected to ZQ61"}));
  EXPECT_FALSE(ui.Progress().visible);
  EXPECT_TRUE(ui.DiskText().empty());
}

TEST_F(OfflineOperations, SameSideCopiesAreRefusedAndNothingIsRefreshed) {
  EXPECT_FALSE(ops.CopyItems({"zq:\\GAME\\A.ZXE"}, "ZQ:\\MP3\\"));
  EXPECT_FALSE(ops.CopyItems({(dir / "A.TXT").string()}, dir.Path().string() + "/"));
  EXPECT_EQ(ui.Log(), (Lines{"message: copying from ZQ61 to ZQ61 or PC to PC is not allowed",
                             "message: copying from ZQ61 to ZQ61 or PC to PC is not allowed"}));
  EXPECT_TRUE(ops.CopyItems({}, "zq:\\GAME\\"));
  EXPECT_EQ(ui.Log().size(), 2u);
}

TEST_F(OfflineOperations, CheckFileNameShowsTheRuleWithTheName) {
  EXPECT_FALSE(ops.CheckFileName("readme"));
  EXPECT_FALSE(ops.CheckFileName("a.txt.bak"));
  EXPECT_FALSE(ops.CheckFileName("LONGNAME1.TXT"));
  EXPECT_TRUE(ops.CheckFileName("GAME.ZXE"));
  // 4 CP949 bytes (6 in UTF-8) before the period: fits.
  EXPECT_TRUE(ops.CheckFileName("한글.TXT"));
  EXPECT_TRUE(ops.CheckFileName("한글한글.TXT"));
  EXPECT_FALSE(ops.CheckFileName("한글한글한.TXT"));
  // No CP949 form: refused before any rule.
  EXPECT_FALSE(ops.CheckFileName("\xF0\x9F\x8E\xAE.TXT"));
  EXPECT_EQ(ui.Messages(),
            (Lines{"invalid extension. only 3 characters are allowed for extension\nfile name : "
                   "readme",
                   "period(.) character is not allowed in file name\nfile name : a.txt.bak",
                   "too long file name\nmaximum 8 characters allowed for file name\nfile name : "
                   "LONGNAME1.TXT",
                   "too long file name\nmaximum 8 characters allowed for file name\nfile name : "
                   "한글한글한.TXT",
                   "invalid character in file name\nfile name : \xF0\x9F\x8E\xAE.TXT"}));
}

TEST_F(OfflineOperations, CheckFolderNamesLooksAtTheFolderThenItsContent) {
  fs::path parent = dir / "my games";
  Touch(parent / "SAVES" / "GAME.ZXE");
  Touch(parent / "SAVES" / "DATA" / "LEVEL1.DAT");
  // A parent with spaces is fine when the folder's own name follows the rules.
  EXPECT_TRUE(ops.CheckFolderNames((parent / "SAVES").string() + "/"));
  EXPECT_TRUE(ui.Messages().empty());

  Touch(parent / "SAVES" / "DATA" / "LONGNAME1.DAT");
  Touch(parent / "SAVES" / "ZLONGNAME.DAT");
  EXPECT_FALSE(ops.CheckFolderNames((parent / "SAVES").string()));
  // Subfolders and files in name order: DATA's content comes first.
  EXPECT_EQ(ui.Messages(), (Lines{"too long file name\nmaximum 8 characters allowed for file "
                                  "name\nfile name : LONGNAME1.DAT"}));

  ui.ClearLog();
  EXPECT_FALSE(ops.CheckFolderNames(parent.string()));
  EXPECT_EQ(ui.Messages(),
            (Lines{"no space is allowed in file name\nfolder name : " + parent.string()}));

  ui.ClearLog();
  fs::create_directory(dir / "v1.0");
  fs::create_directory(dir / "ABCDEFGHI");
  fs::create_directory(dir / "\xF0\x9F\x8E\xAE");
  EXPECT_FALSE(ops.CheckFolderNames((dir / "v1.0").string()));
  EXPECT_FALSE(ops.CheckFolderNames((dir / "ABCDEFGHI").string()));
  EXPECT_FALSE(ops.CheckFolderNames((dir / "\xF0\x9F\x8E\xAE").string()));
  EXPECT_EQ(ui.Messages(),
            (Lines{"period(.) character is not allowed in folder name\nfolder name : " +
                       (dir / "v1.0").string(),
                   "too long folder name\nmaximum 8 characters allowed for folder name\nfolder "
                   "name : " +
                       (dir / "ABCDEFGHI").string(),
                   "invalid character in folder name\nfolder name : " +
                       (dir / "\xF0\x9F\x8E\xAE").string()}));
}

TEST_F(OfflineOperations, NoToTheFormatQuestionDoesNothing) {
  ui.ScriptAnswer(Answer::No);
  EXPECT_FALSE(ops.FormatCardWithPrompt(true));
  ASSERT_EQ(ui.Calls().size(), 1u);
  EXPECT_EQ(ui.Calls()[0].kind, "ask");
  EXPECT_EQ(ui.Calls()[0].text, "you will lost all data in SMC.\nprogress anyway?");
  EXPECT_EQ(ui.Calls()[0].buttons, Buttons::YesNo);
  EXPECT_EQ(ui.Calls()[0].icon, MessageIcon::Stop);
  EXPECT_EQ(ui.Calls()[0].caption, "ZQ61");
}

TEST_F(OfflineOperations, ListedNamesThatWouldLeaveTheFolderAreNotWritten) {
  EXPECT_FALSE(ops.DownloadFile("zq:\\GAME\\..", dir.Path().string(), "..", true));
  EXPECT_FALSE(ops.DownloadFolder("zq:\\GAME\\..", dir.Path().string()));
  EXPECT_EQ(ui.Messages(),
            (Lines{"invalid character in file name\nfile name : ..",
                   "invalid character in folder name\nfolder name : zq:\\GAME\\.."}));
  EXPECT_TRUE(fs::is_empty(dir.Path()));
}

}  // namespace
}  // namespace zq
