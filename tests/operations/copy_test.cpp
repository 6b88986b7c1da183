// Paste in both directions against the in-process console, on real PC folders.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "console_fixture.h"
#include "operations/pc_folder.h"

namespace zq {
namespace {

namespace fs = std::filesystem;
using test::ConsoleFixture;

class Copy : public ConsoleFixture {
 protected:
  // Card-side commands that write: create folder and send file.
  bool CardWasWritten() { return SawCommand(0xA0) || SawCommand(0xD0); }

  // The disk information the console sends next reports `freeBytes` free.
  void NextFreeBytes(std::uint32_t freeBytes) {
    console.Console().AddFault(emu::Fault::Patch(
        0x20, 0, 9,
        {static_cast<std::uint8_t>(freeBytes), static_cast<std::uint8_t>(freeBytes >> 8),
         static_cast<std::uint8_t>(freeBytes >> 16), static_cast<std::uint8_t>(freeBytes >> 24)}));
  }

  void MakeSaves() {
    WriteFile(pc / "SAVES" / "A.SAV", 1000, 'a');
    WriteFile(pc / "SAVES" / "B.SAV", 1000, 'b');
    WriteFile(pc / "SAVES" / "C.SAV", 1000, 'c');
  }
};

TEST_F(Copy, FolderOfThreeFilesGoesToTheCard) {
  MakeSaves();
  EXPECT_TRUE(ops.CopyItems({AsFolder(pc / "SAVES")}, "zq:\\GAME\\"));
  EXPECT_TRUE(ui.Messages().empty());
  for (const char* name : {"A.SAV", "B.SAV", "C.SAV"}) {
    EXPECT_EQ(ReadFile(Card("GAME/SAVES") / name), std::string(1000, name[0] + 'a' - 'A'));
  }
  // The window ends on the last file, full, and is hidden; the views are read anew.
  EXPECT_EQ(ui.Progress().byteCounter, "1000 / 1000 Bytes");
  EXPECT_EQ(ui.Progress().position, 1000u);
  EXPECT_EQ(ui.Progress().range, 1000u);
  EXPECT_EQ(ui.Progress().line, "now copying file 'C.SAV'");
  EXPECT_FALSE(ui.Progress().visible);
  EXPECT_EQ(ui.Log().back(), "navigate");
  EXPECT_EQ(ui.LogOf("add-folder-node"), (Lines{"add-folder-node: zq:\\GAME\\SAVES\\"}));
  EXPECT_EQ(ui.WaitDepth(), 0);
}

TEST_F(Copy, SpaceIsCheckedBeforeAnythingIsWritten) {
  MakeSaves();
  EXPECT_EQ(EstimateCardBytes(pc / "SAVES"), 16384u + 3000u);

  NextFreeBytes(16384 + 3000 - 1);
  EXPECT_TRUE(ops.CopyItems({AsFolder(pc / "SAVES")}, "zq:\\GAME\\"));
  EXPECT_EQ(ui.Messages(), (Lines{"insufficient space in SMC"}));
  EXPECT_FALSE(CardWasWritten());
  EXPECT_FALSE(fs::exists(Card("GAME/SAVES")));

  ui.ClearLog();
  NextFreeBytes(16384 + 3000);
  EXPECT_TRUE(ops.CopyItems({AsFolder(pc / "SAVES")}, "zq:\\GAME\\"));
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_TRUE(fs::exists(Card("GAME/SAVES/C.SAV")));
}

TEST_F(Copy, AnUnreadableItemIsReportedAsNoSpace) {
  EXPECT_FALSE(ops.UploadItems({(pc / "GONE.TXT").string()}, "zq:\\GAME\\", true));
  EXPECT_EQ(ui.Messages(), (Lines{"failed to open file", "insufficient space in SMC"}));
  EXPECT_FALSE(CardWasWritten());
}

TEST_F(Copy, NamesAreCheckedBeforeAnythingIsWritten) {
  WriteFile(pc / "GOOD.TXT", 10);
  WriteFile(pc / "SAVES" / "OK.SAV", 10);
  WriteFile(pc / "SAVES" / "LONGNAME1.SAV", 10);
  EXPECT_FALSE(
      ops.UploadItems({(pc / "GOOD.TXT").string(), AsFolder(pc / "SAVES")}, "zq:\\GAME\\", true));
  EXPECT_EQ(ui.Messages(), (Lines{"too long file name\nmaximum 8 characters allowed for file "
                                  "name\nfile name : LONGNAME1.SAV"}));
  EXPECT_FALSE(CardWasWritten());
  EXPECT_FALSE(fs::exists(Card("GAME/GOOD.TXT")));
  EXPECT_FALSE(ui.Progress().visible);
}

TEST_F(Copy, KoreanNamesAreCountedInCardBytes) {
  // 4 bytes in CP949, 6 in UTF-8.
  WriteFile(pc / "한글" / "세이브.SAV", 20);
  EXPECT_TRUE(ops.UploadItems({AsFolder(pc / "한글")}, "zq:\\GAME\\", true));
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_EQ(fs::file_size(Card("GAME/한글/세이브.SAV")), 20u);
  EXPECT_EQ(ui.Progress().line, "now copying file '세이브.SAV'");
}

TEST_F(Copy, NameWithoutACardFormIsRefusedBeforeWriting) {
  WriteFile(pc / "\xF0\x9F\x8E\xAE.TXT", 10);
  EXPECT_FALSE(ops.UploadItems({(pc / "\xF0\x9F\x8E\xAE.TXT").string()}, "zq:\\GAME\\", true));
  EXPECT_EQ(ui.Messages(),
            (Lines{"invalid character in file name\nfile name : \xF0\x9F\x8E\xAE.TXT"}));
  EXPECT_FALSE(CardWasWritten());
  // The single-file operation refuses it too, before the link is used.
  console.Console().ClearReceived();
  EXPECT_FALSE(ops.UploadFile((pc / "\xF0\x9F\x8E\xAE.TXT").string(), "zq:\\GAME", true));
  EXPECT_FALSE(CardWasWritten());
}

TEST_F(Copy, ParentFolderWithSpacesIsFine) {
  WriteFile(pc / "my old games" / "SAVES" / "A.SAV", 10);
  WriteFile(pc / "my old games" / "SAVES" / "EMPTY.SAV", 0);
  EXPECT_TRUE(ops.UploadItems({AsFolder(pc / "my old games" / "SAVES")}, "zq:\\GAME\\", true));
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_EQ(fs::file_size(Card("GAME/SAVES/A.SAV")), 10u);
  EXPECT_EQ(fs::file_size(Card("GAME/SAVES/EMPTY.SAV")), 0u);
}

TEST_F(Copy, FolderAlreadyOnTheCardStopsTheUpload) {
  MakeSaves();
  fs::create_directory(Card("GAME/SAVES"));
  EXPECT_FALSE(ops.UploadItems({AsFolder(pc / "SAVES")}, "zq:\\GAME\\", true));
  EXPECT_EQ(ui.Messages(), (Lines{"same folder already exists"}));
  EXPECT_TRUE(fs::is_empty(Card("GAME/SAVES")));
}

TEST_F(Copy, SingleFileWithLongBaseIsAPlainMessage) {
  WriteFile(pc / "LONGNAME1.TXT", 10);
  EXPECT_FALSE(ops.UploadFile((pc / "LONGNAME1.TXT").string(), "zq:\\GAME", true));
  EXPECT_EQ(ui.Messages(),
            (Lines{"too long file name\nmaximum 8 characters allowed for file name"}));
  EXPECT_FALSE(CardWasWritten());
}

TEST_F(Copy, UploadIntoAMissingFolderShowsTheTransferFamily) {
  WriteFile(pc / "A.TXT", 10);
  // 0xFE from the send is -20, which the single-file family does not name.
  EXPECT_FALSE(ops.UploadFile((pc / "A.TXT").string(), "zq:\\NOWHERE", true));
  EXPECT_EQ(ui.Messages(), (Lines{"unknown error occurred"}));
}

TEST_F(Copy, ConsoleFolderTreeComesToThePc) {
  WriteFile(Card("GAME/X/A.TXT"), 300, 'a');
  WriteFile(Card("GAME/X/SUB/B.TXT"), 0);
  WriteFile(Card("GAME/X/SUB/한글.TXT"), 5, 'k');
  EXPECT_TRUE(ops.CopyItems({"zq:\\GAME\\X\\", "zq:\\GAME\\X\\A.TXT"}, AsFolder(pc.Path())));
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_EQ(ReadFile(pc / "X" / "A.TXT"), std::string(300, 'a'));
  EXPECT_EQ(ReadFile(pc / "X" / "SUB" / "한글.TXT"), "kkkkk");
  EXPECT_TRUE(fs::exists(pc / "X" / "SUB" / "B.TXT"));
  EXPECT_EQ(ReadFile(pc / "A.TXT"), std::string(300, 'a'));
  EXPECT_FALSE(ui.Progress().visible);
  EXPECT_EQ(ui.Log().back(), "navigate");
}

TEST_F(Copy, DownloadOntoAnExistingPcFolderFails) {
  WriteFile(Card("GAME/X/A.TXT"), 10);
  fs::create_directory(pc / "X");
  EXPECT_TRUE(ops.CopyItems({"zq:\\GAME\\X\\"}, AsFolder(pc.Path())));
  EXPECT_EQ(ui.Messages(), (Lines{"failed to craete folder"}));
  EXPECT_TRUE(fs::is_empty(pc / "X"));
}

TEST_F(Copy, DownloadReplacesAnExistingPcFile) {
  WriteFile(Card("GAME/A.TXT"), 10, 'n');
  WriteFile(pc / "A.TXT", 3, 'o');
  EXPECT_TRUE(ops.DownloadFile("zq:\\GAME\\A.TXT", pc.Path().string(), "A.TXT", true));
  EXPECT_EQ(ReadFile(pc / "A.TXT"), std::string(10, 'n'));
}

// Lowers the largest file this process may write for as long as it lives.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit lowered = previous_;
    lowered.rlim_cur = bytes;
    ok_ = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_);
  }
  bool Ok() const { return ok_; }

 private:
  rlimit previous_{};
  void (*previousHandler_)(int) = nullptr;
  bool ok_ = false;
};

TEST_F(Copy, FailedDownloadKeepsTheOldPcFile) {
  WriteFile(Card("GAME/A.TXT"), 1000, 'n');
  WriteFile(pc / "A.TXT", 3, 'o');
  bool downloaded = true;
  {
    FileSizeLimit limit(500);
    ASSERT_TRUE(limit.Ok());
    downloaded = ops.DownloadFile("zq:\\GAME\\A.TXT", pc.Path().string(), "A.TXT", true);
  }
  EXPECT_FALSE(downloaded);
  EXPECT_EQ(ui.Messages(), (Lines{"failed to write"}));
  EXPECT_EQ(ReadFile(pc / "A.TXT"), "ooo");
  // Nothing else is left beside it.
  EXPECT_EQ(std::distance(fs::directory_iterator(pc.Path()), fs::directory_iterator()), 1);
}

TEST_F(Copy, ListingOfACopiedFolderFailsWithItsFamily) {
  WriteFile(Card("GAME/X/A.TXT"), 10);
  console.Console().AddFault(emu::Fault::ReplyCode(0x95, 0, 0xF1));
  EXPECT_FALSE(ops.DownloadItems({"zq:\\GAME\\X\\"}, AsFolder(pc.Path()), true));
  EXPECT_EQ(ui.Messages(), (Lines{"unformatted SMC"}));
}

TEST_F(Copy, UntrustedListingNeverLeadsOutOfTheChosenFolder) {
  // The console lists X holding the entries "." and ".." (skipped, as every
  // folder's links to itself and its parent), then one named "A/B", then an
  // honest file. The name that cannot be a PC file stops the copy with a
  // message: skipping it would report a copy with a file missing as done.
  WriteFile(Card("GAME/X/AAAAAAAA.TXT"), 4, 'a');
  WriteFile(Card("GAME/X/AAAAAAAB.TXT"), 4, 'b');
  WriteFile(Card("GAME/X/AAAAAAAC.TXT"), 4, 'c');
  WriteFile(Card("GAME/X/ZZZ.TXT"), 4, 'z');
  fs::create_directory(pc / "inside");
  // Entry replies: byte 1 type, byte 2 name length, bytes 3.. name.
  console.Console().AddFault(emu::Fault::Patch(0x95, 0, 1, {1, 1, '.'}));
  console.Console().AddFault(emu::Fault::Patch(0x95, 1, 1, {1, 2, '.', '.'}));
  console.Console().AddFault(emu::Fault::Patch(0x95, 2, 1, {0, 3, 'A', '/', 'B'}));
  EXPECT_FALSE(ops.DownloadItems({"zq:\\GAME\\X\\"}, AsFolder(pc / "inside"), true));
  EXPECT_EQ(ui.Messages(),
            (Lines{"invalid character in file name\nfile name : zq:\\GAME\\X\\A/B"}));
  EXPECT_FALSE(ui.Progress().visible);
  // Only X was made, nothing beside "inside" and nothing after the refusal.
  EXPECT_EQ(std::distance(fs::recursive_directory_iterator(pc.Path()),
                          fs::recursive_directory_iterator()),
            2);
}

}  // namespace
}  // namespace zq
