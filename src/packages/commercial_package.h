#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "link/wire_codes.h"
#include "packages/archive_entry.h"
#include "packages/archive_entry_table.h"
#include "packages/archive_status.h"

namespace zq {

inline constexpr std::string_view kCommercialMagic = "ZPK ";

// The descriptive record of a commercial package. Fields named `reserved...`
// carry no meaning for this program; they are kept as read.
struct PackageInfoRecord {
  std::string title;  // display name, up to 80 bytes
  std::uint8_t reserved80 = 0;
  std::array<std::uint8_t, 16> reserved81{};
  std::uint32_t reserved97 = 0;
  std::string targetFolder;  // console folder that receives the second program
  std::uint32_t entryCount = 0;
  std::uint32_t streamSize = 0;
};

// One of the two program files of a commercial package: "ZXE " goes to the
// game folder, "ZXC " to the info record's target folder.
struct ProgramRecord {
  std::string magic;
  std::string name;  // 8.3 console name, up to 12 bytes
  std::vector<std::uint8_t> data;

  std::uint32_t Size() const { return static_cast<std::uint32_t>(data.size()); }
  std::span<const std::uint8_t> Data() const { return data; }
};

// The most an expanded entry stream may hold: what the largest card holds.
inline constexpr std::uint32_t kMaxExpandedStream = wire::kLargestCard;

// Reads a whole commercial package (.zpk) into memory: the info record, the
// two programs and the entries of its compressed stream, expanded. Memory
// stays within a few times the file's size plus the expanded stream, which
// is at most kMaxExpandedStream.
class CommercialPackage {
 public:
  // Reads the file at `path`: 0, or -7 when it cannot be opened, -8 when its
  // magic is not "ZPK ", -4 when a field does not fit in what is left of the
  // file, the stream does not expand to the entries it announces, announces
  // more than kMaxExpandedStream, or memory cannot hold the package. After a
  // failure the reader holds what was read so far (the entries read whole).
  ArchiveStatus Load(const std::filesystem::path& path);

  const std::string& Magic() const { return magic_; }
  std::uint32_t HeaderWord() const { return headerWord_; }
  const PackageInfoRecord& Info() const { return info_; }
  const std::string& Title() const { return info_.title; }
  const std::string& TargetFolder() const { return info_.targetFolder; }
  const ProgramRecord& Program1() const { return program1_; }
  const ProgramRecord& Program2() const { return program2_; }

  std::size_t EntryCount() const { return entries_.Count(); }
  ArchiveEntry Entry(std::size_t index) const { return entries_.At(index); }
  const ArchiveEntryTable& Entries() const { return entries_; }

 private:
  ArchiveStatus LoadFile(const std::filesystem::path& path);

  std::string magic_;
  std::uint32_t headerWord_ = 0;
  PackageInfoRecord info_;
  ProgramRecord program1_;
  ProgramRecord program2_;
  ArchiveEntryTable entries_;
};

// Reads `count` entries of an expanded commercial stream, one after another
// from its start. False when the data ends inside an entry; `entries` then
// holds those read whole.
bool ReadCommercialEntries(std::vector<std::uint8_t> expanded, std::uint32_t count,
                           ArchiveEntryTable& entries);

}  // namespace zq
