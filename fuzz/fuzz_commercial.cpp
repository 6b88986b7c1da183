// The commercial package loader with its SZDD expansion on any bytes: a
// status of the loader's set, and on success the entries the info record
// counts, each decodable, the expanded stream within what the largest card
// holds and within what the file's bytes can expand to.
#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz_check.h"
#include "memory_file.h"
#include "packages/commercial_package.h"
#include "platform/lz_expand.h"

using zq::fuzz::HasNul;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static zq::fuzz::MemoryFile file;
  const std::span<const std::uint8_t> bytes(data, size);
  file.Set(bytes);
  zq::CommercialPackage package;
  const zq::ArchiveStatus status = package.Load(file.Path());
  FUZZ_CHECK(status == zq::archive_status::kOk || status == zq::archive_status::kShortRead ||
             status == zq::archive_status::kBadMagic);
  FUZZ_CHECK((status == zq::archive_status::kBadMagic) ==
             (size >= 4 && package.Magic() != zq::kCommercialMagic));

  const zq::ArchiveEntryTable& entries = package.Entries();
  // The expanded stream is bounded before it is allocated.
  const std::uint64_t most = std::max<std::uint64_t>(size, zq::SzddExpansionLimit(size));
  FUZZ_CHECK(entries.MemoryBytes() <= zq::kMaxExpandedStream + 64);
  FUZZ_CHECK(entries.MemoryBytes() <= 4 * most + 64);
  for (const zq::ArchiveEntry& entry : entries) {
    FUZZ_CHECK(!HasNul(entry.path) && !HasNul(entry.name));
    FUZZ_CHECK(entry.IsFile() || (entry.data.empty() && entry.name.empty()));
  }
  if (status != zq::archive_status::kOk) {
    return 0;
  }
  FUZZ_CHECK(package.EntryCount() == package.Info().entryCount);
  FUZZ_CHECK(package.Title().size() <= 80 && !HasNul(package.Title()));
  FUZZ_CHECK(package.TargetFolder().size() <= 256);
  for (const zq::ProgramRecord* program : {&package.Program1(), &package.Program2()}) {
    FUZZ_CHECK(program->magic.size() == 4);
    FUZZ_CHECK(program->name.size() <= 12 && !HasNul(program->name));
    FUZZ_CHECK(program->data.size() <= size);
  }
  return 0;
}
