#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/cli_fixture.h"
#include "cli/display_width.h"

namespace zq::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class CliOutputTest : public CliTest {};

// Output nobody could read is a failure, not a success with nothing said.
TEST_F(CliOutputTest, StandardOutputThatCannotBeWrittenFailsTheRun) {
  StartConsole();
  WriteText(Card() / "GAME" / "RACE.ZXE", "game");
  for (const std::vector<std::string>& words :
       {std::vector<std::string>{"ls"}, {"info"}, {"games"}, {"--help"}, {"ls", "--help"}}) {
    const CliRun run =
        RunCli(words, Devices(), {}, std::chrono::seconds(60), ChildSetup{0, 0, "/dev/full"});
    EXPECT_EQ(run.exitStatus, 1) << words[0] << "\n" << run.err;
    EXPECT_THAT(run.err,
                HasSubstr("zq61-cli: cannot write standard output: No space left on device"))
        << words[0];
  }
}

// "NAME  N bytes" says the file got through: never for one the console refused.
TEST_F(CliOutputTest, AFileIsListedOnlyOnceTheConsoleTookIt) {
  // The console's last reply to the first file sent is not the one expected.
  StartConsole({"--fault", "code:0xD0:5:0x00"});
  WriteText(Pc() / "A.BIN", std::string(1000, 'a'));
  const CliRun put = Cli({"put", (Pc() / "A.BIN").string(), "zq:\\"});
  EXPECT_EQ(put.exitStatus, 1);
  EXPECT_THAT(put.err, Not(HasSubstr("A.BIN  1000 bytes"))) << put.err;
  EXPECT_THAT(put.err, HasSubstr("communication error occurred")) << put.err;

  const CliRun again = Cli({"put", (Pc() / "A.BIN").string(), "zq:\\"});
  EXPECT_EQ(again.exitStatus, 0) << again.err;
  EXPECT_EQ(again.err, "A.BIN  1000 bytes\n");
}

// A PC file that could not be written names itself and the system's reason.
TEST_F(CliOutputTest, APcSideFailureGivesThePathAndTheReason) {
  StartConsole();
  WriteText(Card() / "GAME" / "BIG.BIN", std::string(100000, 'b'));
  std::filesystem::create_directories(Pc() / "back");
  const CliRun get = RunCli({"--quiet", "get", "zq:\\GAME\\BIG.BIN", (Pc() / "back").string()},
                            Devices(), {}, std::chrono::seconds(60), ChildSetup{0, 4096, {}});
  EXPECT_EQ(get.exitStatus, 1);
  EXPECT_EQ(get.err, "failed to write\nfile name : " + (Pc() / "back" / "BIG.BIN").string() +
                         " (File too large)\n");
  EXPECT_FALSE(std::filesystem::exists(Pc() / "back" / "BIG.BIN"));
}

// Korean names take two columns a character: the size column stays in line.
TEST_F(CliOutputTest, LsAlignsColumnsByTheirWidthOnScreen) {
  StartConsole();
  WriteText(Card() / "GAME" / "\xEA\xB0\x80\xEB\x82\x98.TXT", "12345");  // 가나.TXT
  WriteText(Card() / "GAME" / "AB.TXT", "12345");
  const CliRun ls = Cli({"ls", "zq:\\GAME"});
  ASSERT_EQ(ls.exitStatus, 0) << ls.err;
  EXPECT_THAT(ls.out, HasSubstr("FILE  \xEA\xB0\x80\xEB\x82\x98.TXT      "
                                "         5  "));
  EXPECT_THAT(ls.out, HasSubstr("FILE  AB.TXT"
                                "        "
                                "         5  "));
}

TEST(DisplayWidthTest, WideCharactersTakeTwoColumns) {
  struct Case {
    const char* text;
    std::size_t width;
  } cases[] = {
      {"", 0},
      {"GAME.ZXE", 8},
      {"\xEA\xB0\x80\xEB\x82\x98.TXT", 8},  // Hangul syllables
      {"\xE6\xBC\xA2\xE5\xAD\x97", 4},      // Hanja
      {"\xEF\xBC\xA1", 2},                  // full-width A
      {"e\xCC\x81", 1},                     // e and a combining accent
      {"\xC3\xA9", 1},                      // é
      {"\xFF\xFE", 2},                      // not UTF-8: one column a byte
      {"\xEA\xB0", 2},                      // a cut character
  };
  for (const Case& c : cases) {
    EXPECT_EQ(cli::DisplayWidth(c.text), c.width) << c.text;
  }
}

}  // namespace
}  // namespace zq::test
