#pragma once

#include <string>
#include <string_view>

namespace zq::man {

// Text of a filled paragraph as roff input lines. Each line loses its leading
// blanks (they would break the line) and empty lines go (they would add space);
// a backslash prints as itself, a line cannot start a request, the minus signs
// of option words and negative numbers are real minus signs, quotes stay plain
// ASCII, and characters beyond ASCII become Unicode escapes ('?' where the
// bytes are not UTF-8).
std::string RoffText(std::string_view text);

// A literal word, such as a program's name, to be typed as shown: every '-'
// is a minus sign.
std::string RoffLiteral(std::string_view word);

// One line of a synopsis or an option: literal words (commands, options) in
// bold, placeholders (PATH, MAJOR.MINOR, a bracketed lower-case word) in
// italics, brackets, commas and ellipses plain.
std::string RoffTerm(std::string_view term);

}  // namespace zq::man
