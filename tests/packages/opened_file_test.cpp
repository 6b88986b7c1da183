// Files the desktop opens with the program: their kind, and what is done
// with each, as after the commands' file dialogs.
#include "packages/opened_file.h"

#include "package_ops_fixture.h"

namespace zq::test {
namespace {

class OpenedFileTest : public PackageOpsTest {};

TEST_F(OpenedFileTest, KindByExtensionThenByMagic) {
  const struct {
    const char* name;
    const char* bytes;
    OpenedFileKind kind;
  } cases[] = {
      {"a.fpk", "", OpenedFileKind::kFreePackage},
      {"A.FPK", "PTCH", OpenedFileKind::kFreePackage},  // the extension decides
      {"b.Zpk", "", OpenedFileKind::kCommercialPackage},
      {"c.zqt", "", OpenedFileKind::kPatch},
      {"download", "ZQKG rest", OpenedFileKind::kFreePackage},
      {"download.bin", "ZPK rest", OpenedFileKind::kCommercialPackage},
      {"download.bin", "ZPKX", OpenedFileKind::kUnknown},
      {"download.1", "PTCH", OpenedFileKind::kPatch},
      {"short", "ZQK", OpenedFileKind::kUnknown},
      {"notes.txt", "hello", OpenedFileKind::kUnknown},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto path = WritePackage(c.name, ToBytes(c.bytes));
    EXPECT_EQ(KindOfOpenedFile(path.string()), c.kind);
  }
  EXPECT_EQ(KindOfOpenedFile((pc_ / "missing").string()), OpenedFileKind::kUnknown);
}

TEST_F(OpenedFileTest, APackageIsInstalledAndItsFolderRemembered) {
  const auto path = WritePackage("downloaded", ArchiveBuilder::Package()
                                                   .Title("Demo")
                                                   .Root("zq:\\game")
                                                   .File("", "DEMO.ZXE", "program")
                                                   .Build());
  ui_.ScriptAnswer(Answer::Yes);
  OpenFileFromDesktop(ops_, settings_, "/prog/", path.string());
  EXPECT_TRUE(CardHasFile("zq:\\game\\DEMO.ZXE"));
  EXPECT_EQ(settings_.GetString("PATH", "Package", ""), pc_.Path().string());
  EXPECT_TRUE(ui_.openRequests.empty());  // no file dialog
}

TEST_F(OpenedFileTest, APatchAsksForTheBackupFolder) {
  const auto path =
      WritePackage("fix.zqt", ArchiveBuilder::Patch().Title("Fix").Root("zq:\\game").Build());
  ui_.ScriptFolder(std::nullopt);  // cancelled: nothing applied, nothing stored
  OpenFileFromDesktop(ops_, settings_, "/prog/", path.string());
  EXPECT_EQ(
      ui_.LogOf("choose-folder"),
      std::vector<std::string>{"choose-folder: select folder where old files will be backed up"});
  EXPECT_EQ(settings_.GetString("PATH", "ZQT", ""), "");
}

TEST_F(OpenedFileTest, AnUnknownFileIsRefused) {
  const auto path = WritePackage("notes.txt", ToBytes("hello"));
  OpenFileFromDesktop(ops_, settings_, "/prog/", path.string());
  EXPECT_EQ(ui_.Messages(), std::vector<std::string>{"invalid file format"});
}

}  // namespace
}  // namespace zq::test
