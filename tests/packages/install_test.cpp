#include "packages/install.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "package_ops_fixture.h"
#include "packages/package_paths.h"

namespace zq::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class InstallTest : public PackageOpsTest {
 protected:
  // A free package of a game in zq:\game: its program, a data folder with a
  // sub-folder, a 0-byte file and an end marker in the middle of the table.
  static ArchiveBuilder DemoPackage() {
    return ArchiveBuilder::Package()
        .Title("Demo")
        .Root("zq:\\game")
        .File("", "DEMO.ZXE", "program")
        .Folder("", "DEMO")
        .File("\\DEMO", "LEVEL.DAT", "level")
        .EndMarker()
        .Folder("\\DEMO", "SOUND")
        .File("\\DEMO\\SOUND", "EMPTY.DAT", Bytes{})
        .File("\\DEMO\\SOUND", "TUNE.DAT", Bytes(70000, 0x5A));
  }

  static CommercialBuilder DemoCommercial(StreamCoding coding) {
    return CommercialBuilder()
        .Title("Z Demo")
        .TargetFolder("zq:\\game\\ZDEMO")
        .Zxe("ZDEMO.ZXE", ToBytes("zxe program"))
        .Zxc("ZDEMO.ZXC", ToBytes("zxc code"))
        .Folder("zq:\\game\\ZDEMO")
        .EndMarker()
        .Folder("zq:\\game\\ZDEMO\\MAPS")
        .File("zq:\\game\\ZDEMO\\MAPS", "WORLD.MAP", Bytes(5000, 0x33))
        .File("zq:\\game\\ZDEMO", "EMPTY.DAT", Bytes{})
        .Coding(coding);
  }

  void ExpectDemoCommercialOnCard() const {
    EXPECT_EQ(CardFile("zq:\\game\\ZDEMO.ZXE"), ToBytes("zxe program"));
    EXPECT_EQ(CardFile("zq:\\game\\ZDEMO\\ZDEMO.ZXC"), ToBytes("zxc code"));
    EXPECT_EQ(CardFile("zq:\\game\\ZDEMO\\MAPS\\WORLD.MAP"), Bytes(5000, 0x33));
    EXPECT_TRUE(CardFile("zq:\\game\\ZDEMO\\EMPTY.DAT").empty());
  }
};

TEST_F(InstallTest, FreePackageRecreatesItsTreeUnderTheRoot) {
  const auto path = WritePackage("demo.fpk", DemoPackage().Build());
  const auto before = CardFiles();
  ui_.ScriptAnswer(Answer::Yes);

  EXPECT_TRUE(InstallFreePackage(ops_, path.string(), true));

  EXPECT_THAT(ui_.Messages(), IsEmpty());
  EXPECT_EQ(ui_.LogOf("ask"), std::vector<std::string>{"ask: do you want to install 'Demo'?"});
  EXPECT_EQ(CardFile("zq:\\game\\DEMO.ZXE"), ToBytes("program"));
  EXPECT_EQ(CardFile("zq:\\game\\DEMO\\LEVEL.DAT"), ToBytes("level"));
  EXPECT_TRUE(CardHasFile("zq:\\game\\DEMO\\SOUND\\EMPTY.DAT"));
  EXPECT_TRUE(CardFile("zq:\\game\\DEMO\\SOUND\\EMPTY.DAT").empty());
  EXPECT_EQ(CardFile("zq:\\game\\DEMO\\SOUND\\TUNE.DAT"), Bytes(70000, 0x5A));
  EXPECT_EQ(CardFiles().size(), before.size() + 6);
  EXPECT_EQ(ui_.Log().back(), "progress-hide");
  EXPECT_FALSE(ui_.Progress().visible);
}

TEST_F(InstallTest, FreePackageKeepsFoldersThatExist) {
  PutCardFile("zq:\\game\\DEMO\\SAVE.DAT", ToBytes("saved game"));
  PutCardFolder("zq:\\game\\DEMO\\SOUND");
  const auto path = WritePackage("demo.fpk", DemoPackage().Build());
  ui_.ScriptAnswer(Answer::Yes);

  EXPECT_TRUE(InstallFreePackage(ops_, path.string(), true));

  EXPECT_THAT(ui_.Messages(), IsEmpty());
  EXPECT_EQ(CardFile("zq:\\game\\DEMO\\SAVE.DAT"), ToBytes("saved game"));
  EXPECT_EQ(CardFile("zq:\\game\\DEMO\\LEVEL.DAT"), ToBytes("level"));
  for (const std::string& caption : ui_.LogOf("progress-caption")) {
    EXPECT_NE(caption, "progress-caption: now creating...") << "no folder had to be created";
  }
}

TEST_F(InstallTest, NoWritesNothing) {
  const auto path = WritePackage("demo.fpk", DemoPackage().Build());
  const auto before = CardFiles();
  ui_.ScriptAnswer(Answer::No);

  EXPECT_FALSE(InstallFreePackage(ops_, path.string(), true));

  EXPECT_EQ(CardFiles(), before);
  EXPECT_THAT(ui_.Messages(), IsEmpty());
  EXPECT_THAT(ui_.LogOf("progress-show"), IsEmpty());
}

TEST_F(InstallTest, ZeroEntriesAskShowHideAndSucceedSilently) {
  const auto path = WritePackage("empty.fpk", ArchiveBuilder::Package()
                                                  .Title("Nothing")
                                                  .Root("zq:\\game")
                                                  .Count(0)
                                                  .WithoutFinalEndMarker()
                                                  .Build());
  const auto before = CardFiles();
  ui_.ScriptAnswer(Answer::Yes);

  EXPECT_TRUE(InstallFreePackage(ops_, path.string(), true));

  EXPECT_THAT(ui_.Log(), ElementsAre("ask: do you want to install 'Nothing'?", "progress-show",
                                     "progress-hide"));
  EXPECT_EQ(CardFiles(), before);
}

TEST_F(InstallTest, EntryInTheRootLandsInRootBackslashName) {
  const auto path = WritePackage(
      "root.fpk",
      ArchiveBuilder::Package().Title("R").Root("zq:\\zqetc").File("", "NOTE.TXT", "x").Build());
  ui_.ScriptAnswer(Answer::Yes);

  EXPECT_TRUE(InstallFreePackage(ops_, path.string(), true));
  EXPECT_EQ(CardFile("zq:\\zqetc\\NOTE.TXT"), ToBytes("x"));
}

TEST_F(InstallTest, FailedUploadAddsItsOwnMessageAndStops) {
  // A name the card refuses (not a short name) fails the upload.
  const auto path = WritePackage("bad.fpk", ArchiveBuilder::Package()
                                                .Title("B")
                                                .Root("zq:\\game")
                                                .File("", "MUCHTOOLONGNAME.ZXE", "x")
                                                .File("", "AFTER.ZXE", "y")
                                                .Build());
  ui_.ScriptAnswer(Answer::Yes);

  EXPECT_FALSE(InstallFreePackage(ops_, path.string(), true));

  ASSERT_FALSE(ui_.Messages().empty());
  EXPECT_EQ(ui_.Messages().back(), "failed to send file");
  EXPECT_FALSE(CardHasFile("zq:\\game\\AFTER.ZXE"));
  EXPECT_FALSE(ui_.Progress().visible);
}

TEST_F(InstallTest, ExistenceCheckFailureStopsWithItsMessage) {
  // A garbled reply to the first listing is a communication error.
  AnswerWith(0x95, 0, 0x55);
  const auto path = WritePackage("demo.fpk", DemoPackage().Build());
  const auto before = CardFiles();
  ui_.ScriptAnswer(Answer::Yes);

  EXPECT_FALSE(InstallFreePackage(ops_, path.string(), true));

  EXPECT_EQ(ui_.Messages(), std::vector<std::string>{"communication error occurred"});
  EXPECT_EQ(CardFiles(), before);
}

TEST_F(InstallTest, RefusedExistenceCheckCountsAsNotFound) {
  // The console refusing the listing (0xFF, -19) is not reported: the folder
  // is created and the installation goes on.
  const auto path = WritePackage("fold.fpk", ArchiveBuilder::Package()
                                                 .Title("F")
                                                 .Root("zq:\\game")
                                                 .Folder("", "NEWDIR")
                                                 .File("\\NEWDIR", "A.DAT", "a")
                                                 .Build());
  AnswerWith(0x95, 0, 0xFF);
  ui_.ScriptAnswer(Answer::Yes);

  EXPECT_TRUE(InstallFreePackage(ops_, path.string(), true));

  EXPECT_THAT(ui_.Messages(), IsEmpty());
  EXPECT_EQ(CardFile("zq:\\game\\NEWDIR\\A.DAT"), ToBytes("a"));
}

// A package that cannot be read is reported before the question and writes
// nothing, free or commercial alike.
struct UnreadableCase {
  const char* label;
  const char* fileName;
  Bytes bytes;  // empty: the file does not exist
  const char* message;
};
// Named by its label in test listings, not by its bytes.
void PrintTo(const UnreadableCase& c, std::ostream* os) {
  *os << c.label;
}

class UnreadablePackageTest : public InstallTest,
                              public ::testing::WithParamInterface<UnreadableCase> {};

TEST_P(UnreadablePackageTest, IsReportedBeforeTheQuestion) {
  const UnreadableCase& param = GetParam();
  const auto path =
      param.bytes.empty() ? pc_ / param.fileName : WritePackage(param.fileName, param.bytes);
  const auto before = CardFiles();

  const bool commercial = ExtensionOf(param.fileName) == "zpk";
  const bool result = commercial ? InstallCommercialPackage(ops_, path.string(), true)
                                 : InstallFreePackage(ops_, path.string(), true);

  EXPECT_FALSE(result);
  EXPECT_EQ(ui_.Messages(), std::vector<std::string>{param.message});
  EXPECT_THAT(ui_.LogOf("ask"), IsEmpty());
  EXPECT_EQ(CardFiles(), before);
  EXPECT_FALSE(ui_.Progress().visible);
}

Bytes TruncatedSzddCommercial() {
  CommercialBuilder builder;
  builder.Folder("zq:\\game\\X").File("zq:\\game\\X", "A.DAT", Bytes(3000, 1));
  Bytes stream = SzddLiteral(builder.PlainStream());
  stream.resize(stream.size() - 100);
  return builder.Stream(stream).Build();
}

INSTANTIATE_TEST_SUITE_P(
    Packages, UnreadablePackageTest,
    ::testing::Values(
        UnreadableCase{"FreeMissing", "missing.fpk", {}, "failed to open file"},
        UnreadableCase{"FreePatchMagic", "patch.fpk",
                       ArchiveBuilder::Patch().Title("P").Root("zq:\\game").Build(),
                       "invalid file format"},
        UnreadableCase{
            "FreeCut", "cut.fpk",
            Cut(ArchiveBuilder::Package().Root("zq:\\game").File("", "A.ZXE", "abc").Build(), 130),
            "failed to read data from file"},
        UnreadableCase{"CommercialMissing", "missing.zpk", {}, "failed to open file"},
        UnreadableCase{"CommercialOtherMagic", "free.zpk",
                       ArchiveBuilder::Package().Root("zq:\\game").Build(), "invalid file format"},
        UnreadableCase{"CommercialCut", "cut.zpk",
                       Cut(CommercialBuilder().Zxe("A.ZXE", Bytes(100, 1)).Build(), 400),
                       "failed to read data from file"},
        UnreadableCase{"CommercialStreamCut", "stream.zpk", TruncatedSzddCommercial(),
                       "failed to read data from file"}),
    [](const auto& test) { return std::string(test.param.label); });

TEST_F(InstallTest, CommercialSzddAndPlainStreamsInstallTheSameCard) {
  for (StreamCoding coding : {StreamCoding::kPlain, StreamCoding::kSzddLiteral}) {
    SCOPED_TRACE(static_cast<int>(coding));
    std::filesystem::remove_all(CardPath("zq:\\game\\ZDEMO"));
    std::filesystem::remove(CardPath("zq:\\game\\ZDEMO.ZXE"));
    ui_.ClearLog();
    const auto path = WritePackage("zdemo.zpk", DemoCommercial(coding).Build());
    ui_.ScriptAnswer(Answer::Yes);

    EXPECT_TRUE(InstallCommercialPackage(ops_, path.string(), true));

    EXPECT_EQ(ui_.LogOf("ask"), std::vector<std::string>{
                                    "ask: ready to install 'Z Demo'.\ndo you want to progress?"});
    EXPECT_EQ(ui_.Messages(), std::vector<std::string>{"installed successfully"});
    ExpectDemoCommercialOnCard();
    EXPECT_FALSE(ui_.Progress().visible);
  }
}

TEST_F(InstallTest, CommercialStreamMadeByMsCompressInstalls) {
  if (!HasMsCompress()) {
    GTEST_SKIP() << "mscompress is not installed";
  }
  const auto path = WritePackage("zdemo.zpk", DemoCommercial(StreamCoding::kMsCompress).Build());
  ui_.ScriptAnswer(Answer::Yes);

  EXPECT_TRUE(InstallCommercialPackage(ops_, path.string(), true));
  ExpectDemoCommercialOnCard();
}

TEST_F(InstallTest, CommercialNoWritesNothing) {
  const auto path = WritePackage("zdemo.zpk", DemoCommercial(StreamCoding::kPlain).Build());
  const auto before = CardFiles();
  ui_.ScriptAnswer(Answer::No);

  EXPECT_FALSE(InstallCommercialPackage(ops_, path.string(), true));
  EXPECT_EQ(CardFiles(), before);
  EXPECT_THAT(ui_.Messages(), IsEmpty());
}

TEST_F(InstallTest, CommercialExistingFolderStopsAtCreateRemoteFolder) {
  PutCardFolder("zq:\\game\\ZDEMO");
  const auto path = WritePackage("zdemo.zpk", DemoCommercial(StreamCoding::kPlain).Build());
  ui_.ScriptAnswer(Answer::Yes);

  EXPECT_FALSE(InstallCommercialPackage(ops_, path.string(), true));
  EXPECT_EQ(ui_.Messages(), std::vector<std::string>{"same folder already exists"});
  EXPECT_FALSE(CardHasFile("zq:\\game\\ZDEMO.ZXE"));
}

TEST_F(InstallTest, EveryCutPackageIsReportedBeforeTheQuestion) {
  const Bytes free = DemoPackage().Build();
  const Bytes commercial = DemoCommercial(StreamCoding::kSzddLiteral).Build();
  const auto before = CardFiles();
  for (const auto& [name, whole] : {std::pair{"cut.fpk", free}, std::pair{"cut.zpk", commercial}}) {
    for (std::size_t size = 0; size < whole.size(); size += 1 + size / 64) {
      SCOPED_TRACE(std::string(name) + " cut at " + std::to_string(size));
      const auto path = WritePackage(name, Cut(whole, size));
      ui_.ClearLog();
      const bool installed = ExtensionOf(name) == "zpk"
                                 ? InstallCommercialPackage(ops_, path.string(), true)
                                 : InstallFreePackage(ops_, path.string(), true);
      ASSERT_FALSE(installed);
      ASSERT_EQ(ui_.Messages().size(), 1u);
      ASSERT_THAT(ui_.LogOf("ask"), IsEmpty());
    }
  }
  EXPECT_EQ(CardFiles(), before);
}

class OnInstallTest : public InstallTest {
 protected:
  std::filesystem::path programFolder_ = pc_ / "program";
};

TEST_F(OnInstallTest, DialogOffersThePackageFiltersFromTheProgramFolder) {
  ui_.ScriptOpenFile(std::nullopt);

  OnInstall(ops_, settings_, programFolder_);

  ASSERT_EQ(ui_.openRequests.size(), 1u);
  const FileDialogRequest& request = ui_.openRequests.front();
  using Filter = std::pair<std::string, std::string>;
  EXPECT_THAT(request.filters,
              ElementsAre(Filter{"all available ZQ61 package files (*zpk, *.fpk)", "*.zpk;*.fpk"},
                          Filter{"ZQ61 commercial package file (*.zpk)", "*.zpk"},
                          Filter{"ZQ61 free package file (*.fpk)", "*.fpk"}));
  EXPECT_EQ(request.defaultExtension, "zpk");
  EXPECT_EQ(request.startFolder, (programFolder_ / "package").string());
  EXPECT_FALSE(settings_.Has("PATH", "Package"));
}

TEST_F(OnInstallTest, UpperCaseFpkInstallsAsAFreePackageAndStoresItsFolder) {
  settings_.SetString("PATH", "Package", "/somewhere/else");
  std::filesystem::create_directories(pc_ / "store");
  const auto path = pc_ / "store" / "DEMO.FPK";
  WriteBytes(path, DemoPackage().Build());
  ui_.ScriptOpenFile(path.string());
  ui_.ScriptAnswer(Answer::Yes);

  OnInstall(ops_, settings_, programFolder_);

  EXPECT_EQ(ui_.openRequests.at(0).startFolder, "/somewhere/else");
  EXPECT_EQ(CardFile("zq:\\game\\DEMO.ZXE"), ToBytes("program"));
  EXPECT_EQ(settings_.GetString("PATH", "Package"), (pc_ / "store").string());
}

TEST_F(OnInstallTest, OtherExtensionInstallsNothingButStoresTheFolder) {
  const auto path = WritePackage("readme.txt", DemoPackage().Build());
  const auto before = CardFiles();
  ui_.ScriptOpenFile(path.string());

  OnInstall(ops_, settings_, programFolder_);

  EXPECT_EQ(CardFiles(), before);
  EXPECT_THAT(ui_.Messages(), IsEmpty());
  EXPECT_EQ(settings_.GetString("PATH", "Package"), pc_.Path().string());
}

TEST_F(OnInstallTest, AnsweringNoStoresNothing) {
  const auto path = WritePackage("zdemo.zpk", DemoCommercial(StreamCoding::kPlain).Build());
  ui_.ScriptOpenFile(path.string());
  ui_.ScriptAnswer(Answer::No);

  OnInstall(ops_, settings_, programFolder_);

  EXPECT_FALSE(settings_.Has("PATH", "Package"));
  EXPECT_FALSE(CardHasFile("zq:\\game\\ZDEMO.ZXE"));
}

}  // namespace
}  // namespace zq::test
