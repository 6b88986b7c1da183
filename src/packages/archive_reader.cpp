#include "packages/archive_reader.h"

#include <new>
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
  // The entries are decoded from the rest of the file, held once.
  std::vector<std::uint8_t> rest;
  if (!in.ReadBytes(in.Remaining(), rest) ||
      !table.Read(std::move(rest), count, EntryLayout::kArchive)) {
    return archive_status::kShortRead;
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
  try {
    return ReadArchive(in, magic_, header_, table_);
  } catch (const std::bad_alloc&) {
    // A file that memory cannot hold reads as one that ends too early.
    return archive_status::kShortRead;
  }
}

}  // namespace zq
