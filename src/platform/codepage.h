#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zq {

// Console-side texts (card names, package titles, ID3v1 fields) are CP949
// bytes; the PC's file system and the screen use UTF-8.

// nullopt when the text is not valid UTF-8 or a character has no CP949 form.
std::optional<std::string> Utf8ToCp949(std::string_view utf8);

// For the screen and messages. Never fails: bytes that do not decode become
// U+FFFD, so two different texts may look alike.
std::string Cp949ToUtf8(std::string_view cp949);

// For names on the PC: the UTF-8 form of a console text only when it has an
// exact one, i.e. every byte decodes and the UTF-8 text converts back to the
// same bytes; nullopt otherwise. Two different console names never share a
// PC name this way.
std::optional<std::string> Cp949ToUtf8Exact(std::string_view cp949);

}  // namespace zq
