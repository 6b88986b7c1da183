#include "manpages/help_text.h"

#include <algorithm>
#include <cctype>

namespace zq::man {
namespace {

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t newline = text.find('\n');
    lines.push_back(text.substr(0, newline));
    text = newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
  }
  return lines;
}

std::size_t Indent(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t");
  return first == std::string_view::npos ? line.size() : first;
}

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) {
    return {};
  }
  const std::size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

bool StartsWithUsage(std::string_view line) {
  constexpr std::string_view kUsage = "usage:";
  if (line.size() < kUsage.size()) {
    return false;
  }
  return std::equal(kUsage.begin(), kUsage.end(), line.begin(), [](char a, char b) {
    return a == std::tolower(static_cast<unsigned char>(b));
  });
}

std::string_view FirstWord(std::string_view text) {
  return text.substr(0, text.find_first_of(" \t"));
}

void AppendLine(std::string& to, std::string_view line, char separator) {
  if (!to.empty()) {
    to += separator;
  }
  to += line;
}

HelpItem SplitItem(std::string_view trimmed) {
  const std::size_t gap = trimmed.find("  ");
  if (gap == std::string_view::npos) {
    return {std::string(trimmed), {}};
  }
  return {std::string(trimmed.substr(0, gap)), std::string(Trim(trimmed.substr(gap)))};
}

}  // namespace

const HelpList* HelpText::List(std::string_view heading) const {
  const auto found = std::find_if(lists.begin(), lists.end(), [heading](const HelpList& list) {
    return list.heading == heading;
  });
  return found == lists.end() ? nullptr : &*found;
}

HelpText ParseHelpText(std::string_view text) {
  constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  const std::vector<std::string_view> lines = SplitLines(text);
  HelpText help;
  std::string_view program;     // the first usage line's first word
  bool inUsage = false;         // the last line was a usage line
  bool inParagraph = false;     // the last line was prose
  bool inItem = false;          // the last line belonged to an entry
  std::size_t current = kNone;  // the list that entries go to
  std::size_t itemIndent = 0;

  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    const std::string_view trimmed = Trim(line);
    const std::size_t indent = Indent(line);
    if (trimmed.empty()) {
      inUsage = inParagraph = inItem = false;
      continue;
    }
    if (indent == 0 && StartsWithUsage(trimmed)) {
      help.synopsis.emplace_back(Trim(trimmed.substr(6)));
      program = FirstWord(help.synopsis.back());
      inUsage = true;
      inParagraph = inItem = false;
      continue;
    }
    if (inUsage && indent > 0) {
      if (FirstWord(trimmed) == program) {
        help.synopsis.emplace_back(trimmed);
      } else {
        AppendLine(help.synopsis.back(), trimmed, ' ');
      }
      continue;
    }
    inUsage = false;

    if (indent == 0) {
      inItem = false;
      current = kNone;
      const bool nextIndented =
          i + 1 < lines.size() && Indent(lines[i + 1]) > 0 && !Trim(lines[i + 1]).empty();
      if (trimmed.back() == ':' && nextIndented) {
        help.lists.push_back({std::string(trimmed.substr(0, trimmed.size() - 1)), {}});
        current = help.lists.size() - 1;
        inParagraph = false;
        continue;
      }
      if (!inParagraph) {
        help.paragraphs.emplace_back();
      }
      AppendLine(help.paragraphs.back(), trimmed, '\n');
      inParagraph = true;
      continue;
    }

    inParagraph = false;
    if (current != kNone && inItem && indent > itemIndent) {
      HelpItem& item = help.lists[current].items.back();
      // An entry without text yet goes on with its term (a long synopsis).
      if (item.text.empty()) {
        AppendLine(item.term, trimmed, ' ');
      } else {
        AppendLine(item.text, trimmed, '\n');
      }
      continue;
    }
    if (current != kNone && !help.lists[current].items.empty() && indent != itemIndent) {
      // Indented, but neither an entry nor the continuation of one: prose.
      help.paragraphs.emplace_back(trimmed);
      inItem = false;
      continue;
    }
    if (current == kNone) {
      help.lists.emplace_back();
      current = help.lists.size() - 1;
    }
    if (help.lists[current].items.empty()) {
      itemIndent = indent;
    }
    help.lists[current].items.push_back(SplitItem(trimmed));
    inItem = true;
  }
  return help;
}

}  // namespace zq::man
