#include "packages/patch.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "package_ops_fixture.h"
#include "packages/archive_entry.h"

namespace zq::test {
namespace {

using ::testing::IsEmpty;

class PatchTest : public PackageOpsTest {
 protected:
  PatchTest() {
    std::filesystem::create_directories(backup_);
    PutCardFile("zq:\\game\\DEMO.ZXE", ToBytes("program v1"));
    PutCardFile("zq:\\game\\DEMO\\LEVEL.DAT", ToBytes("level v1"));
  }

  // A patch of the demo game: a new program, a replaced data file and a new one.
  static ArchiveBuilder DemoPatch() {
    return ArchiveBuilder::Patch()
        .Title("Demo 1.1")
        .Root("zq:\\game")
        .File("", "DEMO.ZXE", "program v2")
        .Folder("", "DEMO")
        .File("\\DEMO", "LEVEL.DAT", "level v2")
        .File("\\DEMO", "BONUS.DAT", "bonus");
  }

  bool Apply(const Bytes& patch) {
    const auto path = WritePackage("demo.zqt", patch);
    return ApplyPatch(ops_, path.string(), backup_, true);
  }

  std::filesystem::path backup_ = pc_ / "backup";
};

TEST_F(PatchTest, ReplacedFilesAreKeptInTheBackupFolderUnderTheirPaths) {
  ui_.ScriptAnswer(Answer::Yes);

  EXPECT_TRUE(Apply(DemoPatch().Build()));

  EXPECT_THAT(ui_.Messages(), IsEmpty());
  EXPECT_EQ(ui_.LogOf("ask"),
            std::vector<std::string>{"ask: ready to patch 'Demo 1.1'\ndo you want to progress?"});
  EXPECT_EQ(CardFile("zq:\\game\\DEMO.ZXE"), ToBytes("program v2"));
  EXPECT_EQ(CardFile("zq:\\game\\DEMO\\LEVEL.DAT"), ToBytes("level v2"));
  EXPECT_EQ(CardFile("zq:\\game\\DEMO\\BONUS.DAT"), ToBytes("bonus"));
  // The missing file was only sent: nothing of it in the backup.
  EXPECT_EQ(FilesUnder(backup_), (std::vector<std::string>{"DEMO.ZXE", "DEMO/", "DEMO/LEVEL.DAT"}));
  EXPECT_EQ(ReadBytes(backup_ / "DEMO.ZXE"), ToBytes("program v1"));
  EXPECT_EQ(ReadBytes(backup_ / "DEMO" / "LEVEL.DAT"), ToBytes("level v1"));
  EXPECT_FALSE(ui_.Progress().visible);
}

TEST_F(PatchTest, AnOlderBackupIsReplacedAndAnExistingFolderAccepted) {
  std::filesystem::create_directories(backup_ / "DEMO");
  WriteBytes(backup_ / "DEMO" / "LEVEL.DAT", ToBytes("an older backup, longer than the new"));
  ui_.ScriptAnswer(Answer::Yes);

  EXPECT_TRUE(Apply(DemoPatch().Build()));

  EXPECT_THAT(ui_.Messages(), IsEmpty());
  EXPECT_EQ(ReadBytes(backup_ / "DEMO" / "LEVEL.DAT"), ToBytes("level v1"));
}

TEST_F(PatchTest, BackupComesBeforeTheRemovalWhichComesBeforeTheUpload) {
  // The console reports the removal failed: the old file must already be
  // backed up, and nothing is sent after it.
  AnswerWith(0xC0, 0, 0xFF);
  ui_.ScriptAnswer(Answer::Yes);

  EXPECT_FALSE(Apply(DemoPatch().Build()));

  ASSERT_FALSE(ui_.Messages().empty());
  EXPECT_EQ(ui_.Messages().back(), "failed to delete file");
  EXPECT_EQ(ReadBytes(backup_ / "DEMO.ZXE"), ToBytes("program v1"));
  // (The emulated console removes the file before it answers.)
  EXPECT_NE(CardHasFile("zq:\\game\\DEMO.ZXE") ? CardFile("zq:\\game\\DEMO.ZXE") : Bytes{},
            ToBytes("program v2"));
  EXPECT_EQ(CardFile("zq:\\game\\DEMO\\LEVEL.DAT"), ToBytes("level v1"));
  EXPECT_FALSE(ui_.Progress().visible);
}

TEST_F(PatchTest, BackupInASubFolderNeedsItsFolderEntry) {
  ui_.ScriptAnswer(Answer::Yes);

  EXPECT_FALSE(Apply(ArchiveBuilder::Patch()
                         .Title("T")
                         .Root("zq:\\game")
                         .File("\\DEMO", "LEVEL.DAT", "level v2")
                         .Build()));

  EXPECT_EQ(ui_.Messages(),
            std::vector<std::string>{"an error occurred while creating file on PC"});
  EXPECT_EQ(CardFile("zq:\\game\\DEMO\\LEVEL.DAT"), ToBytes("level v1"));
  EXPECT_THAT(FilesUnder(backup_), IsEmpty());
}

TEST_F(PatchTest, AFileEqualToTheCardsIsPassedOver) {
  ui_.ScriptAnswer(Answer::Yes);

  EXPECT_TRUE(Apply(ArchiveBuilder::Patch()
                        .Title("T")
                        .Root("zq:\\game")
                        .File("", "DEMO.ZXE", "program v1")
                        .Build()));

  EXPECT_THAT(ui_.Messages(), IsEmpty());
  EXPECT_EQ(CardFile("zq:\\game\\DEMO.ZXE"), ToBytes("program v1"));
  EXPECT_THAT(FilesUnder(backup_), IsEmpty());
  // One transfer only: the download that compared the contents.
  EXPECT_EQ(ui_.LogOf("animation").size(), 1u);
}

TEST_F(PatchTest, FolderEntriesCreateMissingFoldersOnBothSides) {
  ui_.ScriptAnswer(Answer::Yes);

  EXPECT_TRUE(Apply(ArchiveBuilder::Patch()
                        .Title("T")
                        .Root("zq:\\game")
                        .Folder("", "DEMO")
                        .Folder("\\DEMO", "EXTRA")
                        .Build()));

  EXPECT_TRUE(CardHasFolder("zq:\\game\\DEMO\\EXTRA"));
  EXPECT_TRUE(std::filesystem::is_directory(backup_ / "DEMO" / "EXTRA"));
}

TEST_F(PatchTest, ARefusedExistenceCheckStopsBeforeAFileIsSent) {
  // The console refusing the listing (0xFF, -19) leaves unknown whether the
  // file is there; sending it could replace it with no backup kept, so the
  // patch stops with the console's failure message.
  AnswerWith(0x95, 0, 0xFF);
  ui_.ScriptAnswer(Answer::Yes);

  EXPECT_FALSE(Apply(ArchiveBuilder::Patch()
                         .Title("T")
                         .Root("zq:\\game")
                         .File("\\DEMO", "NEW.DAT", "new")
                         .Build()));

  EXPECT_EQ(ui_.Messages(), std::vector<std::string>{"an error occurred in ZQ61 during process"});
  EXPECT_FALSE(std::filesystem::exists(console_.CardDir() / "GAME" / "DEMO" / "NEW.DAT"));
  EXPECT_THAT(FilesUnder(backup_), IsEmpty());
}

TEST_F(PatchTest, ExistenceCheckFailureStopsWithItsMessage) {
  AnswerWith(0x95, 0, 0xF1);
  ui_.ScriptAnswer(Answer::Yes);

  EXPECT_FALSE(Apply(DemoPatch().Build()));

  EXPECT_EQ(ui_.Messages(), std::vector<std::string>{"unformatted SMC"});
  EXPECT_EQ(CardFile("zq:\\game\\DEMO.ZXE"), ToBytes("program v1"));
}

TEST_F(PatchTest, APackageIsNotAPatch) {
  EXPECT_FALSE(Apply(ArchiveBuilder::Package().Title("P").Root("zq:\\game").Build()));
  EXPECT_EQ(ui_.Messages(), std::vector<std::string>{"invali patch file"});
  EXPECT_THAT(ui_.LogOf("ask"), IsEmpty());
}

TEST_F(PatchTest, UnreadablePatchesHaveTheirMessages) {
  EXPECT_FALSE(ApplyPatch(ops_, (pc_ / "missing.zqt").string(), backup_, true));
  EXPECT_FALSE(Apply(Cut(DemoPatch().Build(), 140)));
  EXPECT_EQ(ui_.Messages(),
            (std::vector<std::string>{"an error occurred while opening the patch file.",
                                      "an error occurred while reading the patch file."}));
  EXPECT_EQ(ui_.LogOf("progress-hide").size(), 2u);
}

TEST_F(PatchTest, AnsweringNoChangesNothing) {
  const auto before = CardFiles();
  ui_.ScriptAnswer(Answer::No);

  EXPECT_FALSE(Apply(DemoPatch().Build()));

  EXPECT_EQ(CardFiles(), before);
  EXPECT_THAT(FilesUnder(backup_), IsEmpty());
}

// An entry whose path or name would lead out of the backup folder, or has no
// exact PC form, refuses the whole patch before its question: nothing of any
// entry is done, on the card or on the PC.
struct HostileEntry {
  const char* label;
  char kind;
  const char* path;
  const char* name;
};
// Named by its label in test listings, not by its bytes.
void PrintTo(const HostileEntry& c, std::ostream* os) {
  *os << c.label;
}

class HostilePatchTest : public PatchTest, public ::testing::WithParamInterface<HostileEntry> {};

TEST_P(HostilePatchTest, ChangesNothingOnTheCardOrThePc) {
  const HostileEntry& param = GetParam();
  // Card files the hostile entry could address, so that it would be backed up.
  PutCardFile("zq:\\OUT.DAT", ToBytes("card root file"));
  PutCardFile("zq:\\game\\OUT.DAT", ToBytes("game file"));
  const auto outside = FilesUnder(pc_.Path());
  const auto card = CardFiles();
  ui_.ScriptAnswer(Answer::Yes);

  ArchiveBuilder patch = ArchiveBuilder::Patch().Title("T").Root("zq:\\game\\DEMO");
  patch.File("", "LEVEL.DAT", "level v2");
  patch.Entry(param.kind, param.path, param.name,
              param.kind == kFileEntry ? ToBytes("hostile") : Bytes{});
  patch.File("", "LATER.DAT", "later");
  EXPECT_FALSE(Apply(patch.Build()));

  EXPECT_EQ(ui_.Messages(),
            std::vector<std::string>{"an error occurred while reading the patch file."});
  EXPECT_THAT(ui_.LogOf("ask"), IsEmpty());
  auto expected = outside;
  expected.push_back("demo.zqt");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(FilesUnder(pc_.Path()), expected);
  EXPECT_EQ(CardFiles(), card);
  EXPECT_EQ(CardFile("zq:\\game\\DEMO\\LEVEL.DAT"), ToBytes("level v1"));
  EXPECT_FALSE(ui_.Progress().visible);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, HostilePatchTest,
    ::testing::Values(HostileEntry{"DotDotPath", kFileEntry, "\\..", "OUT.DAT"},
                      HostileEntry{"DotDotDeepPath", kFileEntry, "\\..\\..\\..", "OUT.DAT"},
                      HostileEntry{"DotDotInsidePath", kFileEntry, "\\SUB\\..\\..", "OUT.DAT"},
                      HostileEntry{"DotDotName", kFolderEntry, "", ".."},
                      HostileEntry{"DotName", kFolderEntry, "", "."},
                      HostileEntry{"PathWithoutBackslash", kFileEntry, "..", "OUT.DAT"},
                      HostileEntry{"AbsolutePath", kFileEntry, "/tmp", "OUT.DAT"},
                      HostileEntry{"DrivePath", kFileEntry, "C:\\TEMP", "OUT.DAT"},
                      HostileEntry{"DriveComponent", kFileEntry, "\\C:", "OUT.DAT"},
                      HostileEntry{"SlashInName", kFileEntry, "", "../OUT.DAT"},
                      HostileEntry{"BackslashInName", kFileEntry, "", "..\\OUT.DAT"},
                      HostileEntry{"EmptyName", kFileEntry, "", ""},
                      HostileEntry{"EmptyComponent", kFileEntry, "\\\\", "OUT.DAT"},
                      // Bytes that are no CP949 text: \xFF, \xFE and \x80 would
                      // all give one PC backup name.
                      HostileEntry{"NameWithoutExactPcForm", kFileEntry, "",
                                   "\xFF"
                                   "A.DAT"},
                      HostileEntry{"PathWithoutExactPcForm", kFileEntry, "\\\x80X", "A.DAT"}),
    [](const auto& test) { return std::string(test.param.label); });

class OnPatchTest : public PatchTest {
 protected:
  std::filesystem::path programFolder_ = pc_ / "program";
};

TEST_F(OnPatchTest, SuccessStoresThePatchFolder) {
  const auto path = WritePackage("demo.zqt", DemoPatch().Build());
  ui_.ScriptOpenFile(path.string());
  ui_.ScriptFolder(backup_.string());
  ui_.ScriptAnswer(Answer::Yes);

  OnPatch(ops_, settings_, programFolder_);

  ASSERT_EQ(ui_.openRequests.size(), 1u);
  EXPECT_EQ(
      ui_.openRequests[0].filters,
      (std::vector<std::pair<std::string, std::string>>{{"ZQ61 patch file (*.zqt)", "*.zqt"}}));
  EXPECT_EQ(ui_.openRequests[0].defaultExtension, "zqt");
  EXPECT_EQ(ui_.openRequests[0].startFolder, (programFolder_ / "zqt").string());
  EXPECT_EQ(
      ui_.LogOf("choose-folder"),
      std::vector<std::string>{"choose-folder: select folder where old files will be backed up"});
  EXPECT_EQ(ui_.folderPreselections, std::vector<std::string>{programFolder_.string()});
  EXPECT_EQ(CardFile("zq:\\game\\DEMO.ZXE"), ToBytes("program v2"));
  EXPECT_EQ(settings_.GetString("PATH", "ZQT"), pc_.Path().string());
}

TEST_F(OnPatchTest, CancellingEitherDialogChangesNothing) {
  const auto path = WritePackage("demo.zqt", DemoPatch().Build());
  const auto before = CardFiles();
  ui_.ScriptOpenFile(std::nullopt);
  OnPatch(ops_, settings_, programFolder_);
  ui_.ScriptOpenFile(path.string());
  ui_.ScriptFolder(std::nullopt);
  OnPatch(ops_, settings_, programFolder_);

  EXPECT_EQ(CardFiles(), before);
  EXPECT_FALSE(settings_.Has("PATH", "ZQT"));
  EXPECT_THAT(ui_.LogOf("ask"), IsEmpty());
}

TEST_F(OnPatchTest, AFailedPatchStoresNothing) {
  settings_.SetString("PATH", "ZQT", "/kept");
  const auto path = WritePackage("bad.zqt", ArchiveBuilder::Package().Build());
  ui_.ScriptOpenFile(path.string());
  ui_.ScriptFolder(backup_.string());

  OnPatch(ops_, settings_, programFolder_);

  EXPECT_EQ(ui_.openRequests.at(0).startFolder, "/kept");
  EXPECT_EQ(settings_.GetString("PATH", "ZQT"), "/kept");
}

}  // namespace
}  // namespace zq::test
