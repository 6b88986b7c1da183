#include "manpages/roff.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace zq::man {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// Where a word starts: after a blank or an opening bracket or quote.
bool OpensWord(char c) {
  return IsBlank(c) || c == '(' || c == '[' || c == '{' || c == '"' || c == '\'' || c == '`';
}

// Bytes a UTF-8 sequence starting with `lead` has, 0 when it cannot start one.
std::size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) {
    return 2;
  }
  if (lead >= 0xE0 && lead <= 0xEF) {
    return 3;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    return 4;
  }
  return 0;
}

// The code point of the UTF-8 sequence at `text[i]`, or nothing when the
// bytes are not a well-formed, shortest sequence; `length` gets its size.
bool DecodeUtf8(std::string_view text, std::size_t i, std::uint32_t& code, std::size_t& length) {
  const auto lead = static_cast<unsigned char>(text[i]);
  length = SequenceLength(lead);
  if (length == 0 || i + length > text.size()) {
    return false;
  }
  code = lead & (0x7Fu >> length);
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) {
      return false;
    }
    code = (code << 6) | (next & 0x3Fu);
  }
  const std::uint32_t shortest[] = {0, 0, 0x80, 0x800, 0x10000};
  return code >= shortest[length] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
}

std::string UnicodeEscape(std::uint32_t code) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "\\[u%04X]", static_cast<unsigned>(code));
  return buffer;
}

// One line, already without its leading blanks.
void AppendLine(std::string_view line, std::string& out) {
  if (!line.empty() && (line.front() == '.' || line.front() == '\'')) {
    out += "\\&";
  }
  bool optionWord = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    const bool wordStart = i == 0 || OpensWord(line[i - 1]);
    if (IsBlank(c)) {
      optionWord = false;
    } else if (wordStart) {
      optionWord = c == '-';
    }
    switch (c) {
      case '\\':
        out += "\\e";
        break;
      case '-':
        out += optionWord ? "\\-" : "-";
        break;
      case '\'':
        out += "\\(aq";
        break;
      case '`':
        out += "\\(ga";
        break;
      case '~':
        out += "\\(ti";
        break;
      case '^':
        out += "\\(ha";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x80) {
          out += c;
          break;
        }
        std::uint32_t code = 0;
        std::size_t length = 0;
        if (DecodeUtf8(line, i, code, length)) {
          out += UnicodeEscape(code);
          i += length - 1;
        } else {
          out += '?';
        }
    }
  }
  out += '\n';
}

bool IsPlaceholder(std::string_view word) {
  bool letter = false;
  for (const char c : word) {
    if (c >= 'A' && c <= 'Z') {
      letter = true;
    } else if (!(c >= '0' && c <= '9') && c != '_' && c != '.') {
      return false;
    }
  }
  return letter;
}

bool IsTrailingMark(char c) {
  return c == ']' || c == ')' || c == ',' || c == '.' || c == '|';
}

// A word of a term: opening brackets, the word itself, closing marks
// ("]", ",", "..."); each part in its font.
void AppendTermWord(std::string_view word, std::string& out) {
  std::size_t begin = 0;
  while (begin < word.size() && (word[begin] == '[' || word[begin] == '(')) {
    ++begin;
  }
  std::size_t end = word.size();
  while (end > begin && IsTrailingMark(word[end - 1])) {
    --end;
  }
  const std::string_view prefix = word.substr(0, begin);
  const std::string_view core = word.substr(begin, end - begin);
  out += prefix;
  if (!core.empty()) {
    const bool italic = core.front() != '-' && (IsPlaceholder(core) || !prefix.empty());
    out += (italic ? "\\fI" : "\\fB") + RoffLiteral(core) + "\\fR";
  }
  out += word.substr(end);
}

}  // namespace

std::string RoffLiteral(std::string_view word) {
  std::string text = RoffText(word);
  if (!text.empty()) {
    text.pop_back();
  }
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '-' && (i == 0 || text[i - 1] != '\\')) {
      out += "\\-";
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string RoffText(std::string_view text) {
  std::string out;
  while (!text.empty()) {
    const std::size_t newline = text.find('\n');
    std::string_view line = text.substr(0, newline);
    text = newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
    while (!line.empty() && IsBlank(line.front())) {
      line.remove_prefix(1);
    }
    while (!line.empty() && (IsBlank(line.back()) || line.back() == '\r')) {
      line.remove_suffix(1);
    }
    if (!line.empty()) {
      AppendLine(line, out);
    }
  }
  return out;
}

std::string RoffTerm(std::string_view term) {
  std::string out;
  std::size_t i = 0;
  while (i < term.size()) {
    if (IsBlank(term[i])) {
      if (!out.empty() && out.back() != ' ') {
        out += ' ';
      }
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < term.size() && !IsBlank(term[end])) {
      ++end;
    }
    AppendTermWord(term.substr(i, end - i), out);
    i = end;
  }
  while (!out.empty() && out.back() == ' ') {
    out.pop_back();
  }
  if (!out.empty() && (out.front() == '.' || out.front() == '\'')) {
    out.insert(0, "\\&");
  }
  return out;
}

}  // namespace zq::man
