// The page of zq61-cli: its usage text and its command table.
#include <algorithm>
#include <string_view>

#include "cli/command_table.h"
#include "manpages/pages.h"

namespace zq::man {
namespace {

// A command's synopsis, one line for each form: a line that does not start
// with the command's name goes on with the line before.
std::string CommandTerms(const cli::Command& command) {
  std::string terms;
  std::string_view rest = command.synopsis;
  while (!rest.empty()) {
    const std::size_t newline = rest.find('\n');
    std::string_view line = rest.substr(0, newline);
    rest = newline == std::string_view::npos ? std::string_view() : rest.substr(newline + 1);
    line.remove_prefix(std::min(line.find_first_not_of(' '), line.size()));
    if (line.empty()) {
      continue;
    }
    const bool newForm = line.substr(0, command.name.size()) == command.name;
    if (!terms.empty()) {
      terms += newForm ? '\n' : ' ';
    }
    terms += line;
  }
  return terms;
}

}  // namespace

ManPage CliPage(const Release& release) {
  const HelpText usage = ParseHelpText(cli::ProgramUsage());
  ManPage page =
      PageHeader("zq61-cli", "the device operations of the ZQ61 console from a terminal", release);
  page.synopsis = usage.synopsis;

  ManSection description{"description", false, usage.paragraphs, {}};
  description.paragraphs.push_back(
      "It calls the very operations the zq61 window calls, with the same checks in the same "
      "order and the same messages. Messages go to standard error, one for each failure. A "
      "question is asked on the terminal; --yes answers it Yes, and it is answered No when "
      "standard input is not a terminal. Progress is one line redrawn on a terminal, and one "
      "line for each file moved otherwise.");
  page.sections.push_back(std::move(description));

  ManSection options{"options", false, {}, {}};
  if (const HelpList* list = usage.List("options")) {
    options.items = list->items;
  }
  options.paragraphs.push_back(
      "The options may stand before or after the command's name; -- ends them, for a PC file "
      "whose name begins with '-'.");
  page.sections.push_back(std::move(options));

  ManSection commands{"commands", false, {}, {}};
  for (const cli::Command& command : cli::Commands()) {
    commands.items.push_back({CommandTerms(command), std::string(command.help)});
  }
  page.sections.push_back(std::move(commands));

  ManSection environment = HostEnvironment();
  environment.items.push_back(
      {"ZQ61_UDEV_RULES_DIR", "Where usb --adopt puts a udev rule, instead of /etc/udev/rules.d."});
  page.sections.push_back(std::move(environment));
  page.seeAlso = {"zq61", "zq61-emu"};
  return page;
}

}  // namespace zq::man
