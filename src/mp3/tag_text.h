#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/card_text.h"

namespace zq {

// Texts of tags and console names are CP949 bytes (IsCp949Lead tells a
// double-byte character's first byte).

// Removes trailing white space, treating double-byte characters as whole
// characters (their second byte is never taken for white space).
std::string TrimTrailingSpace(std::string_view text);

// The value of a fixed-width tag field: its bytes up to the first zero, at
// most the field's width, without trailing white space.
std::string ReadTagText(std::span<const std::uint8_t> field);

// At most `maxBytes` bytes of `text`, never splitting a double-byte
// character: when the last byte kept would be a lead byte, it goes too.
std::string CutWholeCharacters(std::string_view text, std::size_t maxBytes);

}  // namespace zq
