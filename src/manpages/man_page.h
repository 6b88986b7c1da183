#pragma once

#include <string>
#include <vector>

#include "manpages/help_text.h"

namespace zq::man {

// A section of a manual page: prose paragraphs first, then tagged entries.
// An entry's term may hold several lines ('\n'), each shown as a term of its
// own over the one text; its text may hold several paragraphs ("\n\n").
struct ManSection {
  std::string title;
  bool literalTerms = false;  // terms are names to type (variables, files), all bold
  std::vector<std::string> paragraphs;
  std::vector<HelpItem> items;
};

struct ManPage {
  std::string name;     // the program, e.g. "zq61-cli"
  std::string summary;  // the rest of the NAME line
  std::string source;   // the footer, e.g. "zq61 1.3"
  std::string date;     // YYYY-MM-DD
  std::vector<std::string> synopsis;
  std::vector<ManSection> sections;  // after NAME and SYNOPSIS, in order
  std::vector<std::string> seeAlso;  // programs of section 1, the last section
};

// The page in the man macros of section 1.
std::string RenderManPage(const ManPage& page);

}  // namespace zq::man
