// The page of zq61-emu: its usage text.
#include <algorithm>

#include "emulator/emulator_options.h"
#include "manpages/pages.h"

namespace zq::man {

ManPage EmulatorPage(const Release& release) {
  const HelpText usage = ParseHelpText(emu::EmulatorUsage());
  ManPage page = PageHeader(
      "zq61-emu", "console emulator of the ZQ61, serving a card kept in a folder", release);
  page.synopsis = usage.synopsis;

  ManSection description{"description", false, usage.paragraphs, {}};
  // After the help's first paragraph, what it does not say.
  description.paragraphs.insert(
      description.paragraphs.begin() + std::min<std::size_t>(1, description.paragraphs.size()),
      "It answers every command of the link as the console would: the card is a folder of the "
      "PC with one folder for each card folder and 8.3 names, looked up ignoring case; total, "
      "used and free bytes follow from the card size; formatting empties the folder. It creates "
      "one interface folder in the device directory, holding the endpoints PIPE00 and PIPE02, "
      "and serves one host at a time; zq61 and zq61-cli find it there.");
  page.sections.push_back(std::move(description));

  // The options stand under no heading, or under "options".
  ManSection options{"options", false, {}, {}};
  for (const HelpList& list : usage.lists) {
    if (list.heading.empty() || list.heading == "options") {
      options.items.insert(options.items.end(), list.items.begin(), list.items.end());
    }
  }
  page.sections.push_back(std::move(options));

  page.sections.push_back(DeviceDirectoryEnvironment());
  page.seeAlso = {"zq61", "zq61-cli"};
  return page;
}

}  // namespace zq::man
