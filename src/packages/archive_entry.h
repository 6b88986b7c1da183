#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zq {

// Kinds of the entries of packages, patches and commercial packages. Any other
// kind is read like a folder entry and skipped by every user.
inline constexpr char kFolderEntry = '0';
inline constexpr char kFileEntry = '1';
inline constexpr char kEndMarker = '2';

// One folder or file of a package. In a free package or a patch the path is
// the parent folder relative to the root (empty, or beginning with a
// backslash); in a commercial package it is a full console path and a folder
// entry has no name. Texts are the file's bytes (the console's code page).
struct ArchiveEntry {
  char kind = kEndMarker;
  std::string path;
  std::string name;
  std::vector<std::uint8_t> data;  // a file's content; empty for other kinds

  std::uint32_t Size() const { return static_cast<std::uint32_t>(data.size()); }
  std::span<const std::uint8_t> Data() const { return data; }
  bool IsFolder() const { return kind == kFolderEntry; }
  bool IsFile() const { return kind == kFileEntry; }
};

}  // namespace zq
