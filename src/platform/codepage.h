#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zq {

// Console-side texts (card names, package titles, ID3v1 fields) are CP949
// bytes; the PC's file system and the screen use UTF-8.

// nullopt when the text is not valid UTF-8 or a character has no CP949 form.
std::optional<std::string> Utf8ToCp949(std::string_view utf8);

// Never fails: bytes that do not decode become U+FFFD.
std::string Cp949ToUtf8(std::string_view cp949);

}  // namespace zq
