// The names of a PC selection against what the card can store, checked
// before anything is written.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "console_fixture.h"

namespace zq {
namespace {

namespace fs = std::filesystem;
using test::ConsoleFixture;

class NameChecks : public ConsoleFixture {
 protected:
  bool CardWasWritten() { return SawCommand(0xA0) || SawCommand(0xD0); }
};

TEST_F(NameChecks, PcNamesWithCharactersTheCardCannotStoreWriteNothing) {
  // Linux names may hold every one of them; a backslash would even become a
  // console path separator (A\NEW inside an existing folder A).
  fs::create_directory(Card("GAME/A"));
  for (const std::string c : {"\\", ":", "*", "?", "\"", "<", ">", "|", "\x01", "\x1f"}) {
    const std::string folder = (pc / ("A" + c + "NEW")).string();
    const std::string file = "A" + c + "B.TXT";
    WriteFile(fs::path(folder) / "F.TXT", 10);
    WriteFile(pc / file, 10);
    WriteFile(pc / "OK" / file, 10);
    ui.ClearLog();
    console.Console().ClearReceived();

    EXPECT_FALSE(ops.UploadItems({folder + "/"}, "zq:\\GAME\\", true));
    EXPECT_FALSE(ops.UploadItems({(pc / file).string()}, "zq:\\GAME\\", true));
    EXPECT_FALSE(ops.UploadItems({AsFolder(pc / "OK")}, "zq:\\GAME\\", true));
    // The single operations refuse them too.
    EXPECT_FALSE(ops.UploadFolder(folder + "/", "zq:\\GAME"));
    EXPECT_FALSE(ops.UploadFile((pc / file).string(), "zq:\\GAME", true));

    const std::string folderMessage = "invalid character in folder name\nfolder name : " + folder;
    const std::string fileMessage = "invalid character in file name\nfile name : " + file;
    EXPECT_EQ(ui.Messages(),
              (Lines{folderMessage, fileMessage, fileMessage, folderMessage, fileMessage}))
        << int{c[0]};
    EXPECT_FALSE(CardWasWritten()) << int{c[0]};
    EXPECT_TRUE(fs::is_empty(Card("GAME/A"))) << int{c[0]};
    EXPECT_FALSE(ui.Progress().visible);
    fs::remove_all(pc / "OK");
  }
}

}  // namespace
}  // namespace zq
