#pragma once

#include <cstdint>
#include <string>

#include "mp3/basket_entry.h"
#include "mp3/id3v2_reader.h"

namespace zq {

class UserInterface;

inline constexpr const char* kNoVersion2Message = "no ver.2 information in this file";

// The genre of the table an ID3v2 genre text names: an English name of the
// table (case ignored) or a number 0-79, bare or in parentheses; -1 else.
std::int32_t GenreOfVersion2Text(const std::string& genre);

// "Copy ver.2 info": puts the ID3v2 texts into the version-1 fields as the
// window shows them (UTF-8), each converted to the code page and cut to its
// field's bytes as typed text is (title, artist, album and comment 30, year
// 4); a text the tag lacks leaves its field. Nothing is stored until Apply.
void PutVersion2Texts(const Id3v2Texts& texts, FieldValues& fields);

// Reads the file's ID3v2 tag into `fields`; a file without one leaves them
// and says so ("%s\n%s : %s" with the file's path). True when copied.
bool CopyVersion2Info(UserInterface& ui, const std::string& pcPath, FieldValues& fields);

}  // namespace zq
