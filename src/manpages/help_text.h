#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zq::man {

// One entry of a list in a help text: "  --size MIB   card size ..." gives the
// term "--size MIB" and the text "card size ...".
struct HelpItem {
  std::string term;
  std::string text;
};

// The entries that follow a heading such as "options:" (an empty heading for
// entries that stand under none).
struct HelpList {
  std::string heading;
  std::vector<HelpItem> items;
};

// A program's help text taken apart: the usage lines, the prose paragraphs
// in order (lines joined by '\n') and the lists of options or commands.
struct HelpText {
  std::vector<std::string> synopsis;
  std::vector<std::string> paragraphs;
  std::vector<HelpList> lists;

  // The list under `heading`, or nullptr.
  const HelpList* List(std::string_view heading) const;
};

// Reads the layout the programs print: "usage: PROGRAM ..." lines, each later
// usage line indented and starting with the program's name (an indented line
// that does not continues the one before); prose lines at the left margin; a
// heading is a line ending in ':' followed by an indented line; an entry is
// an indented line whose term is separated from its text by two blanks or
// more, and a line indented deeper than the entry continues it.
HelpText ParseHelpText(std::string_view text);

}  // namespace zq::man
