#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zq {

// The card's 8.3 rules, on a name's bytes in the card's code page (CP949),
// so a double-byte character counts two. Each returns the message of the
// first rule the name breaks, or nullptr when it follows them all.

// Whether the name holds a character the card's FAT cannot store in a short
// name: \ / : * ? " < > |, a control character or NUL. Such a name is refused
// before anything is written: a backslash would even split it into a path.
// No second byte of a CP949 double-byte character takes these values.
bool HoldsCharacterCardCannotStore(std::string_view cp949Name);

// The card name of a PC name (UTF-8): its CP949 form, when it has one and
// holds no character the card cannot store; nullopt otherwise. Every name
// that goes from the PC to the card passes through it before anything is
// written, with the "invalid character in file/folder name" refusal.
std::optional<std::string> StorableCardName(std::string_view pcName);

// File: the extension (after the last period) has exactly 3 characters; no
// space; the base name (before the last period) holds no period and at most 8
// characters. Checked in that order.
const char* FileNameFault(std::string_view cp949Name);

// Folder: no space, no period, at most 8 characters, in that order.
const char* FolderNameFault(std::string_view cp949Name);

// The length check made just before a single file is sent: the part before
// the name's first period has at most 8 characters.
bool BaseNameTooLong(std::string_view cp949Name);

}  // namespace zq
