#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "cli/command_table.h"
#include "emulator/emulator_options.h"
#include "manpages/help_text.h"
#include "manpages/pages.h"
#include "manpages/roff.h"

namespace zq::man {
namespace {

using ::testing::HasSubstr;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
  }
  return lines;
}

TEST(ManPageTest, HeaderNameLineAndTaggedEntries) {
  ManPage page;
  page.name = "zq61-cli";
  page.summary = "does \"things\"\nin two lines";
  page.source = "zq61 1.3";
  page.date = "2026-12-09";
  page.synopsis = {"zq61-cli COMMAND", "zq61-cli COMMAND --help"};
  page.sections.push_back({"exit status", false, {"Zero on success."}, {}});
  page.sections.push_back(
      {"commands", false, {}, {{"mp3 show FILE\nmp3 send FILE...", "Shows.\n\nSends."}}});
  page.sections.push_back({"environment", true, {}, {{"ZQ61_DEVICE_DIR", "Where."}}});
  page.seeAlso = {"zq61", "zq61-emu"};
  EXPECT_EQ(RenderManPage(page),
            ".\\\" Made at build time from the program's own help texts.\n"
            ".TH \"ZQ61\\-CLI\" 1 \"2026-12-09\" \"zq61 1.3\" \"User Commands\"\n"
            ".nh\n"
            ".SH NAME\n"
            "zq61\\-cli \\- does \"things\" in two lines\n"
            ".SH SYNOPSIS\n"
            "\\fBzq61\\-cli\\fR \\fICOMMAND\\fR\n"
            ".br\n"
            "\\fBzq61\\-cli\\fR \\fICOMMAND\\fR \\fB\\-\\-help\\fR\n"
            ".SH EXIT STATUS\n"
            ".PP\n"
            "Zero on success.\n"
            ".SH COMMANDS\n"
            ".TP\n"
            "\\fBmp3\\fR \\fBshow\\fR \\fIFILE\\fR\n"
            ".TQ\n"
            "\\fBmp3\\fR \\fBsend\\fR \\fIFILE\\fR...\n"
            "Shows.\n"
            ".IP\n"
            "Sends.\n"
            ".SH ENVIRONMENT\n"
            ".TP\n"
            "\\fBZQ61_DEVICE_DIR\\fR\n"
            "Where.\n"
            ".SH SEE ALSO\n"
            "\\fBzq61\\fR(1),\n"
            "\\fBzq61\\-emu\\fR(1)\n");
}

// What a page holds is roff the man macros read as text: every line is one
// of the requests the renderer writes, or text that cannot be taken for one.
void ExpectSafeRoff(const std::string& roff, const std::string& program) {
  const std::vector<std::string> lines = Lines(roff);
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines[3], ".SH NAME");
  EXPECT_EQ(lines[4].rfind(RoffLiteral(program) + " \\- ", 0), 0u) << lines[4];
  for (const std::string& line : lines) {
    EXPECT_FALSE(line.empty()) << program;
    if (line.front() == '.' || line.front() == '\'') {
      const std::string request = line.substr(0, line.find(' '));
      EXPECT_THAT((std::vector<std::string>{".\\\"", ".TH", ".SH", ".PP", ".TP", ".TQ", ".IP",
                                            ".br", ".nh"}),
                  ::testing::Contains(request))
          << program << ": " << line;
    }
  }
}

TEST(ManPageTest, ThePagesOfTheBuildAreSafeRoff) {
  const Release release{"1.3", "2026-12-09"};
  for (const char* program : {"zq61", "zq61-cli", "zq61-emu"}) {
    const auto page = PageFor(program, release);
    ASSERT_TRUE(page.has_value()) << program;
    const std::string roff = RenderManPage(*page);
    ExpectSafeRoff(roff, program);
    EXPECT_THAT(roff, HasSubstr("\"2026-12-09\" \"zq61 1.3\"")) << program;
  }
  EXPECT_FALSE(PageFor("zq62", release).has_value());
}

TEST(ManPageTest, EveryCommandAndOptionOfTheBuildIsOnItsPage) {
  const Release release{"1.3", "2026-12-09"};
  const std::string cliPage = RenderManPage(CliPage(release));
  for (const cli::Command& command : cli::Commands()) {
    EXPECT_THAT(cliPage, HasSubstr(".TP\n\\fB" + RoffLiteral(command.name) + "\\fR"))
        << command.name;
    // The first line of its help, as the page prints it.
    const std::string help(command.help);
    EXPECT_THAT(cliPage, HasSubstr(RoffText(help.substr(0, help.find('\n'))))) << command.name;
  }
  const HelpText usage = ParseHelpText(cli::ProgramUsage());
  for (const HelpItem& option : usage.List("options")->items) {
    EXPECT_THAT(cliPage, HasSubstr(".TP\n" + RoffTerm(option.term) + "\n")) << option.term;
  }

  const std::string emulatorPage = RenderManPage(EmulatorPage(release));
  const HelpText emulatorUsage = ParseHelpText(emu::EmulatorUsage());
  for (const HelpList& list : emulatorUsage.lists) {
    for (const HelpItem& option : list.items) {
      EXPECT_THAT(emulatorPage,
                  HasSubstr(".TP\n" + RoffTerm(option.term) + "\n" + RoffText(option.text)))
          << option.term;
    }
  }
}

TEST(ManPageTest, AMultiFormCommandGetsATermForEachForm) {
  const std::string cliPage = RenderManPage(CliPage({"1.3", "2026-12-09"}));
  EXPECT_THAT(cliPage, HasSubstr(".TP\n\\fBmp3\\fR \\fBshow\\fR \\fIFILE\\fR\n.TQ\n"
                                 "\\fBmp3\\fR \\fBsend\\fR \\fIFILE\\fR..."));
  // The wrapped options of "mp3 send" stay on its term's line.
  EXPECT_THAT(cliPage, HasSubstr("[\\fB\\-\\-year\\fR \\fIY\\fR] [\\fB\\-\\-genre\\fR \\fIG\\fR]"));
}

}  // namespace
}  // namespace zq::man
