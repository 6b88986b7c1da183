#include <gtest/gtest.h>

#include <sstream>

#include "cli/progress_text.h"
#include "cli/terminal_user_interface.h"

namespace zq::cli {
namespace {

using namespace std::chrono_literals;

// A clock the test moves by hand.
struct ManualClock {
  std::chrono::steady_clock::time_point now{};
  TerminalUserInterface::Clock Function() {
    return [this] { return now; };
  }
};

// What the device operations do for one file moving.
void MoveFile(TerminalUserInterface& ui, ManualClock& clock, const std::string& name,
              std::uint32_t size, std::uint32_t step) {
  ui.SetProgressPosition(0);
  ui.SetProgressLine("now copying file '" + name + "'");
  ui.SetProgressRange(size);
  for (std::uint32_t done = step; done < size + step; done += step) {
    clock.now += 50ms;
    ui.SetProgressPosition(std::min(done, size));
  }
}

// A file's line comes once the operation went on past it; the file whose
// last byte was followed by a failure never gets one.
TEST(TerminalUserInterfaceTest, WithoutATerminalEachConfirmedFileIsOneLine) {
  std::ostringstream err;
  std::istringstream in;
  ManualClock clock;
  {
    TerminalUserInterface ui(err, in, {}, clock.Function());
    MoveFile(ui, clock, "A.TXT", 1000, 256);
    EXPECT_EQ(err.str(), "");
    MoveFile(ui, clock, "EMPTY.DAT", 0, 256);
    ui.ShowMessage("failed to create file");
    MoveFile(ui, clock, "B.BIN", 300, 256);
    ui.HideProgress();
    MoveFile(ui, clock, "C.BIN", 5, 256);
  }
  EXPECT_EQ(err.str(),
            "A.TXT  1000 bytes\nfailed to create file\nB.BIN  300 bytes\nC.BIN  5 bytes\n");
}

TEST(TerminalUserInterfaceTest, QuietShowsMessagesButNoProgress) {
  std::ostringstream err;
  std::istringstream in;
  ManualClock clock;
  TerminalOptions options;
  options.quiet = true;
  options.errorIsTerminal = true;
  TerminalUserInterface ui(err, in, options, clock.Function());
  MoveFile(ui, clock, "A.TXT", 1000, 256);
  ui.ShowMessage("timed out");
  EXPECT_EQ(err.str(), "timed out\n");
}

TEST(TerminalUserInterfaceTest, OnATerminalOneLineIsRedrawnAndEndedBeforeAMessage) {
  std::ostringstream err;
  std::istringstream in;
  ManualClock clock;
  TerminalOptions options;
  options.errorIsTerminal = true;
  TerminalUserInterface ui(err, in, options, clock.Function());
  ui.SetProgressLine("now copying file 'BIG.BIN'");
  ui.SetProgressRange(4096);
  clock.now += 1s;
  ui.SetProgressPosition(1024);
  // Too soon after the last drawing: not drawn again.
  clock.now += 10ms;
  ui.SetProgressPosition(1100);
  ui.ShowMessage("timed out");
  EXPECT_EQ(err.str(),
            "\rBIG.BIN  0 / 4096 bytes  -  -:-- left\x1b[K"
            "\rBIG.BIN  1024 / 4096 bytes  1.0 KB/s  0:03 left\x1b[K\n"
            "timed out\n");
}

TEST(TerminalUserInterfaceTest, QuestionsFollowYesTheTerminalOrSayNo) {
  std::ostringstream err;
  std::istringstream none;
  TerminalUserInterface script(err, none, {});
  EXPECT_EQ(script.Ask("go on?", Buttons::YesNo), Answer::No);
  EXPECT_EQ(script.Ask("remove?", Buttons::OkCancel), Answer::Cancel);
  EXPECT_EQ(err.str(), "go on? [y/N] no\nremove? [y/N] no\n");

  TerminalOptions yes;
  yes.assumeYes = true;
  TerminalUserInterface forced(err, none, yes);
  EXPECT_EQ(forced.Ask("go on?", Buttons::YesNo), Answer::Yes);
  EXPECT_EQ(forced.Ask("remove?", Buttons::OkCancel), Answer::Ok);

  TerminalOptions terminal;
  terminal.inputIsTerminal = true;
  std::istringstream replies("y\nno\n YES \n");
  TerminalUserInterface person(err, replies, terminal);
  EXPECT_EQ(person.Ask("a?", Buttons::YesNo), Answer::Yes);
  EXPECT_EQ(person.Ask("b?", Buttons::YesNo), Answer::No);
  EXPECT_EQ(person.Ask("c?", Buttons::YesNo), Answer::Yes);
  // The terminal closed: nobody said yes.
  EXPECT_EQ(person.Ask("d?", Buttons::YesNo), Answer::No);
}

TEST(TerminalUserInterfaceTest, ChoosersAnswerWithTheQueuedPathsThenCancel) {
  std::ostringstream err;
  std::istringstream in;
  TerminalUserInterface ui(err, in, {});
  ui.QueueFolder("/backups");
  EXPECT_EQ(ui.ChooseFolder("select folder", "/x"), "/backups");
  EXPECT_EQ(ui.ChooseFolder("select folder", "/x"), std::nullopt);
  EXPECT_EQ(ui.ChooseOpenFile({}), std::nullopt);
}

TEST(ProgressTextTest, RateAndTimeLeft) {
  EXPECT_EQ(FormatRate(0.0), "-");
  EXPECT_EQ(FormatRate(1536.0), "1.5 KB/s");
  EXPECT_EQ(FormatRate(3.0 * 1024 * 1024), "3.0 MB/s");
  EXPECT_EQ(FormatTimeLeft(1000, 0.0), "-:--");
  EXPECT_EQ(FormatTimeLeft(1000, 100.0), "0:10");
  EXPECT_EQ(FormatTimeLeft(1001, 100.0), "0:11");  // rounded up, never "0:00" early
  EXPECT_EQ(FormatTimeLeft(3600 * 100 + 6100, 100.0), "1:01:01");
  EXPECT_EQ(FormatTimeLeft(std::uint64_t{1} << 40, 1.0), ">24h");
  EXPECT_EQ(ProgressSubject("now copying file 'IT''S.TXT'"), "IT''S.TXT");
  EXPECT_EQ(ProgressSubject("now formatting"), "now formatting");
}

}  // namespace
}  // namespace zq::cli
