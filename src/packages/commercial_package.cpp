#include "packages/commercial_package.h"

#include <algorithm>
#include <new>
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

}  // namespace

bool ReadCommercialEntries(std::vector<std::uint8_t> expanded, std::uint32_t count,
                           ArchiveEntryTable& entries) {
  return entries.Read(std::move(expanded), count, EntryLayout::kCommercial);
}

ArchiveStatus CommercialPackage::Load(const std::filesystem::path& path) {
  *this = CommercialPackage{};
  try {
    return LoadFile(path);
  } catch (const std::bad_alloc&) {
    // A package that memory cannot hold reads as one that ends too early.
    return archive_status::kShortRead;
  }
}

ArchiveStatus CommercialPackage::LoadFile(const std::filesystem::path& path) {
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
  std::vector<std::uint8_t> stream;
  if (!in.ReadU32(headerWord_) || !ReadInfo(in, info_) || !ReadProgram(in, program1_) ||
      !ReadProgram(in, program2_) || !in.ReadBytes(info_.streamSize, stream)) {
    return archive_status::kShortRead;
  }
  in.Close();  // bytes after the stream are not read

  if (!IsSzdd(stream)) {
    return ReadCommercialEntries(std::move(stream), info_.entryCount, entries_)
               ? archive_status::kOk
               : archive_status::kShortRead;
  }
  std::optional<std::vector<std::uint8_t>> expanded = LzExpand(stream, kMaxExpandedStream);
  std::vector<std::uint8_t>().swap(stream);  // the compressed bytes are no longer needed
  if (!expanded || !ReadCommercialEntries(std::move(*expanded), info_.entryCount, entries_)) {
    return archive_status::kShortRead;
  }
  return archive_status::kOk;
}

}  // namespace zq
