#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "packages/archive_entry.h"
#include "packages/archive_entry_table.h"
#include "packages/archive_status.h"

namespace zq {

inline constexpr std::string_view kPackageMagic = "ZQKG";
inline constexpr std::string_view kPatchMagic = "PTCH";

// The header shared by free packages and patches. Fields named `reserved...`
// carry no meaning for this program; they are kept as read.
struct ArchiveHeader {
  std::string magic;
  std::uint32_t reserved4 = 0;
  std::array<std::uint8_t, 9> reserved8{};
  std::uint16_t reserved17 = 0;
  std::uint16_t reserved19 = 0;
  std::string title;  // display name, up to 64 bytes
  std::array<std::uint8_t, 32> reserved85{};
  std::uint16_t reserved117 = 0;
  std::uint8_t reserved119 = 0;
  std::uint8_t reserved120 = 0;
  std::string root;  // console folder of the entries, no trailing backslash
};

// Reads a whole free package or patch file into memory. The two share one
// layout and differ only in their four-byte magic, which is the parameter.
class ArchiveReader {
 public:
  explicit ArchiveReader(std::string_view magic);

  // Reads the file at `path`: 0, or -7 when it cannot be opened, -4 when it
  // is shorter than 4 bytes or a field does not fit in what is left of it,
  // -8 when the magic is another (-4 too when memory cannot hold it). After a
  // failure the reader holds the header fields and the entries read whole.
  ArchiveStatus Open(const std::filesystem::path& path);

  const std::filesystem::path& Path() const { return path_; }
  const ArchiveHeader& Header() const { return header_; }
  const ArchiveEntryTable& Entries() const { return table_; }

 private:
  std::string magic_;
  std::filesystem::path path_;
  ArchiveHeader header_;
  ArchiveEntryTable table_;
};

// A free package (.fpk), magic "ZQKG".
class PackageArchive : public ArchiveReader {
 public:
  PackageArchive() : ArchiveReader(kPackageMagic) {}
};

// A patch (.zqt), magic "PTCH".
class PatchArchive : public ArchiveReader {
 public:
  PatchArchive() : ArchiveReader(kPatchMagic) {}
};

}  // namespace zq
