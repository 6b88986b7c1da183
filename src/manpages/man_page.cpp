#include "manpages/man_page.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "manpages/roff.h"

namespace zq::man {
namespace {

// A macro argument in double quotes; a quote inside cannot be written there.
std::string Quoted(std::string_view text) {
  std::string line = RoffText(text);
  if (!line.empty()) {
    line.pop_back();
  }
  std::string out = "\"";
  for (const char c : line) {
    out += c == '"' ? '\'' : c;
  }
  return out + "\"";
}

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return out;
}

// A section heading: the man macros join its words, no quotes needed.
std::string Heading(std::string_view title) {
  return ".SH " + RoffText(Upper(title));
}

std::vector<std::string_view> Split(std::string_view text, std::string_view separator) {
  std::vector<std::string_view> parts;
  while (true) {
    const std::size_t at = text.find(separator);
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos) {
      return parts;
    }
    text = text.substr(at + separator.size());
  }
}

void AppendItem(const HelpItem& item, bool literalTerm, std::string& out) {
  bool first = true;
  for (const std::string_view term : Split(item.term, "\n")) {
    out += first ? ".TP\n" : ".TQ\n";
    out += literalTerm ? "\\fB" + RoffLiteral(term) + "\\fR\n" : RoffTerm(term) + "\n";
    first = false;
  }
  first = true;
  for (const std::string_view paragraph : Split(item.text, "\n\n")) {
    const std::string text = RoffText(paragraph);
    if (text.empty()) {
      continue;
    }
    out += first ? "" : ".IP\n";
    out += text;
    first = false;
  }
}

}  // namespace

std::string RenderManPage(const ManPage& page) {
  std::string out;
  out += ".\\\" Made at build time from the program's own help texts.\n";
  out += ".TH \"" + RoffLiteral(Upper(page.name)) + "\" 1 " + Quoted(page.date) + " " +
         Quoted(page.source) + " \"User Commands\"\n";
  out += ".nh\n";  // no hyphens inside names such as $ZQ61_DEVICE_DIR
  out += Heading("name");
  // "name \- summary" on one line, as the whatis database reads it.
  std::string summary = RoffText(page.summary);
  std::replace(summary.begin(), summary.end(), '\n', ' ');
  out += RoffLiteral(page.name) + " \\- " + summary;
  if (out.back() == ' ') {
    out.back() = '\n';
  }
  out += Heading("synopsis");
  bool first = true;
  for (const std::string& line : page.synopsis) {
    out += first ? "" : ".br\n";
    out += RoffTerm(line) + "\n";
    first = false;
  }
  for (const ManSection& section : page.sections) {
    out += Heading(section.title);
    for (const std::string& paragraph : section.paragraphs) {
      const std::string text = RoffText(paragraph);
      if (!text.empty()) {
        out += ".PP\n" + text;
      }
    }
    for (const HelpItem& item : section.items) {
      AppendItem(item, section.literalTerms, out);
    }
  }
  if (!page.seeAlso.empty()) {
    out += Heading("see also");
    for (std::size_t i = 0; i < page.seeAlso.size(); ++i) {
      out += "\\fB" + RoffLiteral(page.seeAlso[i]) + "\\fR(1)";
      out += i + 1 < page.seeAlso.size() ? ",\n" : "\n";
    }
  }
  return out;
}

}  // namespace zq::man
