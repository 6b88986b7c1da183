#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zq::emu {

// True when `name` (CP949 bytes) is a short name a FAT card without long
// names can hold: a base of 1 to 8 bytes, optionally a period and an
// extension of 1 to 3 bytes, no spaces, no further periods, no control
// bytes and none of " * + , / : ; < = > ? [ \ ] |.
bool IsShortName(std::string_view name);

// Splits a console path "zq:\A\B" (the root compared ignoring case, one
// trailing backslash allowed) into its names. nullopt when it is not a
// console path or a name is empty.
std::optional<std::vector<std::string>> SplitConsolePath(std::string_view path);

// Equality ignoring the case of ASCII letters; the second byte of a CP949
// double-byte character is compared as it is.
bool SameNameIgnoringAsciiCase(std::string_view a, std::string_view b);

// The name as a FAT card without long names keeps it: ASCII letters in upper
// case, double-byte characters whole.
std::string UpperCaseShortName(std::string_view name);

}  // namespace zq::emu
