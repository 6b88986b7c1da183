#include "packages/archive_reader.h"

#include <utility>

#include "platform/byte_reader.h"

namespace zq {
namespace {

constexpr std::size_t kMagicSize = 4;
constexpr std::size_t kTitleSize = 64;

bool ReadArray(ByteReader& in, std::span<std::uint8_t> out) {
  std::vector<std::uint8_t> bytes;
  if (!in.ReadBytes(out.size(), bytes)) {
    return false;
  }
  std::copy(bytes.begin(), bytes.end(), out.begin());
  return true;
}

bool ReadHeaderAfterMagic(ByteReader& in, ArchiveHeader& header) {
  std::uint16_t rootLength = 0;
  return in.ReadU32(header.reserved4) && ReadArray(in, header.reserved8) &&
         in.ReadU16(header.reserved17) && in.ReadU16(header.reserved19) &&
         in.ReadText(kTitleSize, header.title) && ReadArray(in, header.reserved85) &&
         in.ReadU16(header.reserved117) && in.ReadU8(header.reserved119) &&
         in.ReadU8(header.reserved120) && in.ReadU16(rootLength) &&
         in.ReadText(rootLength, header.root);
}

// One entry; an end marker is its kind byte alone, any kind but a file has
// no size and data.
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
  std::uint8_t nameLength = 0;
  if (!in.ReadU8(pathLength) || !in.ReadText(pathLength, entry.path) || !in.ReadU8(nameLength) ||
      !in.ReadText(nameLength, entry.name)) {
    return false;
  }
  if (entry.kind != kFileEntry) {
    return true;
  }
  std::uint32_t size = 0;
  return in.ReadU32(size) && in.ReadBytes(size, entry.data);
}

ArchiveStatus ReadArchive(ByteReader& in, std::string_view magic, ArchiveHeader& header,
                          ArchiveEntryTable& table) {
  std::vector<std::uint8_t> rawMagic;
  if (!in.ReadBytes(kMagicSize, rawMagic)) {
    return archive_status::kShortRead;
  }
  header.magic.assign(rawMagic.begin(), rawMagic.end());
  if (header.magic != magic) {
    return archive_status::kBadMagic;
  }
  if (!ReadHeaderAfterMagic(in, header)) {
    return archive_status::kShortRead;
  }
  std::uint32_t count = 0;
  if (!in.ReadU32(table.reserved) || !in.ReadU32(count)) {
    return archive_status::kShortRead;
  }
  // Every entry takes at least its kind byte: a count that the rest of the
  // file cannot hold fails before room is made for it.
  if (count > in.Remaining()) {
    return archive_status::kShortRead;
  }
  table.entries.reserve(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    ArchiveEntry entry;
    const bool whole = ReadEntry(in, entry);
    table.entries.push_back(std::move(entry));
    if (!whole) {
      return archive_status::kShortRead;
    }
  }
  return archive_status::kOk;  // bytes after the last counted entry are ignored
}

}  // namespace

ArchiveReader::ArchiveReader(std::string_view magic) : magic_(magic) {}

ArchiveStatus ArchiveReader::Open(const std::filesystem::path& path) {
  path_ = path;
  header_ = ArchiveHeader{};
  table_ = ArchiveEntryTable{};
  FileByteReader in;
  if (!in.Open(path)) {
    return archive_status::kOpenFailed;
  }
  return ReadArchive(in, magic_, header_, table_);
}

}  // namespace zq
