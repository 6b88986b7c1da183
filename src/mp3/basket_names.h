#pragma once

#include <string>
#include <string_view>

namespace zq {

// Name rules of the MP3 basket. PC names are UTF-8; console names and tag
// texts are CP949 bytes, counted in bytes.

inline constexpr std::size_t kConsoleNameBytes = 8;

// The PC file name up to (not including) its first dot; the whole name when
// it has none.
std::string_view BaseNameOf(std::string_view fileName);
// The file part of a PC path: what follows its last '/'.
std::string_view FilePartOf(std::string_view path);
// True when the text after the last dot is "mp3" in any case.
bool HasMp3Extension(std::string_view fileName);

// CP949 form of a screen text. A character without a CP949 form (or a byte
// that is not UTF-8) becomes '?', as the PC's code page does with what it
// cannot hold.
std::string ToCp949(std::string_view utf8);

// Equality ignoring the case of ASCII letters. The CP949 form keeps the
// second byte of a double-byte character as it is, since it may fall in the
// letter range without being a letter.
bool EqualIgnoringCase(std::string_view a, std::string_view b);
bool EqualIgnoringCaseCp949(std::string_view a, std::string_view b);

// A console name holding \ / : * ? " < > | a space or a dot.
bool HasForbiddenNameCharacter(std::string_view consoleName);

// "copy PC file name": the base name of the file part of `pcFilePath` in
// CP949, cut to 8 bytes, or 7 when the eighth byte starts a double-byte
// character.
std::string ConsoleNameFromPcFile(std::string_view pcFilePath);

}  // namespace zq
