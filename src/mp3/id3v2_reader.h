#pragma once

#include <optional>
#include <string>

namespace zq {

// The texts of a file's ID3 version 2 tag that have a version-1 field, in
// UTF-8; a text the tag lacks is empty. The genre is the tag's genre name
// (a numbered genre is given by its name).
struct Id3v2Texts {
  std::string title;
  std::string artist;
  std::string album;
  std::string year;
  std::string comment;
  std::string genre;

  bool operator==(const Id3v2Texts&) const = default;
};

// Reads the ID3v2 tag of the file at `path`; nullopt when the file cannot be
// read as MPEG audio or has no ID3v2 tag. A damaged tag gives what could be
// read of it.
std::optional<Id3v2Texts> ReadId3v2Texts(const std::string& path);

}  // namespace zq
