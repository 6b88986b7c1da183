#pragma once

#include <cstdint>
#include <string_view>

namespace zq {

// Console-side texts are CP949 bytes: a byte 0x81 to 0xFE followed by
// another byte is one double-byte character, whose second byte may take the
// value of an ASCII letter without being one.
constexpr bool IsCp949Lead(std::uint8_t byte) {
  return byte >= 0x81 && byte <= 0xFE;
}

// Equality of two console names ignoring the case of ASCII letters, the way
// the card compares names. The second byte of a double-byte character is
// compared as it is, never folded. Every comparison of console names uses it.
bool SameCardNameIgnoringCase(std::string_view a, std::string_view b);

// The order of console names in a sorted list: by their bytes with ASCII
// letters folded (double-byte characters whole), so case never decides
// before the letters do.
bool CardNameLessIgnoringCase(std::string_view a, std::string_view b);

}  // namespace zq
