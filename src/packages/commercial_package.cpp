#include "packages/commercial_package.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/byte_reader.h"
#include "platform/lz_expand.h"

namespace zq {
namespace {

constexpr std::size_t kMagicSize = 4;
constexpr std::size_t kTitleSize = 80;
constexpr std::size_t kTargetFolderSize = 256;
constexpr std::size_t kProgramNameSize = 12;

bool ReadRawText(ByteReader& in, std::size_t size, std::string& out) {
  std::vector<std::uint8_t> bytes;
  if (!in.ReadBytes(size, bytes)) {
    return false;
  }
  out.assign(bytes.begin(), bytes.end());
  return true;
}

bool ReadInfo(ByteReader& in, PackageInfoRecord& info) {
  std::vector<std::uint8_t> reserved;
  if (!in.ReadText(kTitleSize, info.title) || !in.ReadU8(info.reserved80) ||
      !in.ReadBytes(info.reserved81.size(), reserved)) {
    return false;
  }
  std::copy(reserved.begin(), reserved.end(), info.reserved81.begin());
  return in.ReadU32(info.reserved97) && in.ReadText(kTargetFolderSize, info.targetFolder) &&
         in.ReadU32(info.entryCount) && in.ReadU32(info.streamSize);
}

// A name of 12 characters fills its field without a NUL and is kept whole.
bool ReadProgram(ByteReader& in, ProgramRecord& program) {
  std::uint32_t size = 0;
  return ReadRawText(in, kMagicSize, program.magic) &&
         in.ReadText(kProgramNameSize, program.name) && in.ReadU32(size) &&
         in.ReadBytes(size, program.data);
}

// Like the entries of free packages, except that a folder has no name: any
// kind but a file or an end marker is a path alone.
bool ReadEntry(ByteReader& in, ArchiveEntry& entry) {
  std::uint8_t kind = 0;
  if (!in.ReadU8(kind)) {
    return false;
  }
  entry.kind = static_cast<char>(kind);
  if (entry.kind == kEndMarker) {
    return true;
  }
  std::uint8_t pathLength = 0;
  if (!in.ReadU8(pathLength) || !in.ReadText(pathLength, entry.path)) {
    return false;
  }
  if (entry.kind != kFileEntry) {
    return true;
  }
  std::uint8_t nameLength = 0;
  std::uint32_t size = 0;
  return in.ReadU8(nameLength) && in.ReadText(nameLength, entry.name) && in.ReadU32(size) &&
         in.ReadBytes(size, entry.data);
}

}  // namespace

bool ReadCommercialEntries(std::span<const std::uint8_t> expanded, std::uint32_t count,
                           std::vector<ArchiveEntry>& entries) {
  entries.clear();
  // Every entry takes at least its kind byte.
  if (count > expanded.size()) {
    return false;
  }
  MemoryByteReader in(expanded);
  entries.reserve(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    ArchiveEntry entry;
    if (!ReadEntry(in, entry)) {
      return false;
    }
    entries.push_back(std::move(entry));
  }
  return true;
}

ArchiveStatus CommercialPackage::Load(const std::filesystem::path& path) {
  *this = CommercialPackage{};
  FileByteReader in;
  if (!in.Open(path)) {
    return archive_status::kOpenFailed;
  }
  if (!ReadRawText(in, kMagicSize, magic_)) {
    return archive_status::kShortRead;
  }
  if (magic_ != kCommercialMagic) {
    return archive_status::kBadMagic;
  }
  if (!in.ReadU32(headerWord_) || !ReadInfo(in, info_) || !ReadProgram(in, program1_) ||
      !ReadProgram(in, program2_) || !in.ReadBytes(info_.streamSize, stream_)) {
    return archive_status::kShortRead;
  }
  in.Close();  // bytes after the stream are not read

  const std::optional<std::vector<std::uint8_t>> expanded = LzExpand(stream_);
  if (!expanded || !ReadCommercialEntries(*expanded, info_.entryCount, entries_)) {
    return archive_status::kShortRead;
  }
  return archive_status::kOk;
}

}  // namespace zq
