// The free package and patch reader on any bytes: a status of the reader's
// set, and on success a table that holds what the header counts, each entry
// decodable, in memory within a few times the file's size.
#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz_check.h"
#include "memory_file.h"
#include "packages/archive_reader.h"

namespace {

using zq::fuzz::HasNul;

std::uint32_t Le(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t width) {
  std::uint32_t value = 0;
  for (std::size_t i = width; i-- > 0;) {
    value = (value << 8) | bytes[at + i];
  }
  return value;
}

void CheckRead(zq::ArchiveReader& reader, std::string_view magic,
               std::span<const std::uint8_t> bytes, const std::string& path) {
  const zq::ArchiveStatus status = reader.Open(path);
  const bool magicMatches =
      bytes.size() >= 4 &&
      std::string_view(reinterpret_cast<const char*>(bytes.data()), 4) == magic;
  if (bytes.size() < 4) {
    FUZZ_CHECK(status == zq::archive_status::kShortRead);
  } else if (!magicMatches) {
    FUZZ_CHECK(status == zq::archive_status::kBadMagic);
  } else {
    FUZZ_CHECK(status == zq::archive_status::kOk || status == zq::archive_status::kShortRead);
  }
  const zq::ArchiveEntryTable& table = reader.Entries();
  // The bound on what reading costs, whatever the outcome.
  FUZZ_CHECK(table.MemoryBytes() <= 4 * bytes.size() + 64);
  std::uint64_t dataBytes = 0;
  for (const zq::ArchiveEntry& entry : table) {
    FUZZ_CHECK(entry.path.size() <= 255 && entry.name.size() <= 255);
    FUZZ_CHECK(!HasNul(entry.path) && !HasNul(entry.name));
    FUZZ_CHECK(entry.IsFile() || entry.data.empty());
    FUZZ_CHECK(entry.kind != zq::kEndMarker || (entry.path.empty() && entry.name.empty()));
    dataBytes += entry.data.size() + 1;
  }
  FUZZ_CHECK(dataBytes <= bytes.size());
  if (status != zq::archive_status::kOk) {
    return;
  }
  const zq::ArchiveHeader& header = reader.Header();
  FUZZ_CHECK(header.magic == magic);
  FUZZ_CHECK(header.title.size() <= 64 && !HasNul(header.title) && !HasNul(header.root));
  const std::size_t rootLength = Le(bytes, 121, 2);
  FUZZ_CHECK(header.root.size() <= rootLength);
  FUZZ_CHECK(table.Count() == Le(bytes, 123 + rootLength + 4, 4));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static zq::fuzz::MemoryFile file;
  const std::span<const std::uint8_t> bytes(data, size);
  file.Set(bytes);
  zq::PackageArchive package;
  CheckRead(package, zq::kPackageMagic, bytes, file.Path());
  zq::PatchArchive patch;
  CheckRead(patch, zq::kPatchMagic, bytes, file.Path());
  return 0;
}
