#include <gtest/gtest.h>

#include "cli/command_table.h"
#include "emulator/emulator_options.h"
#include "manpages/help_text.h"

namespace zq::man {
namespace {

// The entries of a list, term and text, in order.
void ExpectItems(const HelpList* list,
                 const std::vector<std::pair<std::string, std::string>>& items) {
  ASSERT_NE(list, nullptr);
  std::vector<std::pair<std::string, std::string>> got;
  for (const HelpItem& item : list->items) {
    got.emplace_back(item.term, item.text);
  }
  EXPECT_EQ(got, items);
}

TEST(HelpTextTest, UsageHeadingsEntriesAndProse) {
  const HelpText help = ParseHelpText(
      "Usage: tool [--fast] COMMAND\n"
      "       tool COMMAND --help\n"
      "            [--more]\n"
      "\n"
      "Does things.\n"
      "Many things.\n"
      "\n"
      "options:\n"
      "  -f, --fast     go fast\n"
      "                 and far\n"
      "  --size N       a size\n"
      "\n"
      "     deeper after a blank line is prose\n"
      "commands:\n"
      "  run FILE\n"
      "  send FILE... [--name N]\n"
      "           [--genre G]\n"
      "\n"
      "Closing words: the end.\n");
  ASSERT_EQ(help.synopsis.size(), 2u);
  EXPECT_EQ(help.synopsis[0], "tool [--fast] COMMAND");
  EXPECT_EQ(help.synopsis[1], "tool COMMAND --help [--more]");
  ASSERT_EQ(help.paragraphs.size(), 3u);
  EXPECT_EQ(help.paragraphs[0], "Does things.\nMany things.");
  EXPECT_EQ(help.paragraphs[1], "deeper after a blank line is prose");
  EXPECT_EQ(help.paragraphs[2], "Closing words: the end.");

  ExpectItems(help.List("options"), {{"-f, --fast", "go fast\nand far"}, {"--size N", "a size"}});
  // An entry with no text yet goes on with its term.
  ExpectItems(help.List("commands"),
              {{"run FILE", ""}, {"send FILE... [--name N] [--genre G]", ""}});
  EXPECT_EQ(help.List("missing"), nullptr);
}

TEST(HelpTextTest, EntriesUnderNoHeadingAndProseThatEndsWithAColon) {
  const HelpText help = ParseHelpText(
      "usage: emu --card DIR\n"
      "Stands in for it:\n"
      "\n"
      "  --card DIR   the card\n"
      "  --verbose    say more\n"
      "A colon at the end of prose:\n"
      "\n"
      "  --late X     after prose, a new list\n");
  ASSERT_EQ(help.synopsis.size(), 1u);
  // "Stands in for it:" is followed by a blank line: prose, not a heading.
  ASSERT_EQ(help.paragraphs.size(), 2u);
  EXPECT_EQ(help.paragraphs[0], "Stands in for it:");
  EXPECT_EQ(help.paragraphs[1], "A colon at the end of prose:");
  ASSERT_EQ(help.lists.size(), 2u);
  EXPECT_EQ(help.lists[0].heading, "");
  ASSERT_EQ(help.lists[0].items.size(), 2u);
  EXPECT_EQ(help.lists[0].items[1].term, "--verbose");
  EXPECT_EQ(help.lists[1].items.at(0).term, "--late X");
}

TEST(HelpTextTest, TheProgramsOwnUsageTextsReadWhole) {
  // Every option line of the emulator's usage becomes an entry with its text.
  const std::string emulatorUsage = emu::EmulatorUsage();
  const HelpText emulator = ParseHelpText(emulatorUsage);
  ASSERT_FALSE(emulator.synopsis.empty());
  EXPECT_EQ(emulator.synopsis[0].rfind("zq61-emu ", 0), 0u);
  std::size_t entries = 0;
  for (const HelpList& list : emulator.lists) {
    for (const HelpItem& item : list.items) {
      EXPECT_EQ(item.term.rfind("--", 0), 0u) << item.term;
      EXPECT_FALSE(item.text.empty()) << item.term;
      EXPECT_NE(emulatorUsage.find("  " + item.term + " "), std::string::npos) << item.term;
      ++entries;
    }
  }
  std::size_t optionLines = 0;
  for (std::size_t at = emulatorUsage.find("\n  --"); at != std::string::npos;
       at = emulatorUsage.find("\n  --", at + 1)) {
    ++optionLines;
  }
  EXPECT_EQ(entries, optionLines);

  const HelpText cli = ParseHelpText(cli::ProgramUsage());
  ASSERT_EQ(cli.synopsis.size(), 2u);
  const HelpList* options = cli.List("options");
  ASSERT_NE(options, nullptr);
  ASSERT_FALSE(options->items.empty());
  EXPECT_EQ(options->items.back().term, "-h, --help");
}

}  // namespace
}  // namespace zq::man
