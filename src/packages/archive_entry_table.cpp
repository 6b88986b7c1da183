#include "packages/archive_entry_table.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <stdexcept>
#include <utility>

#include "platform/byte_reader.h"

namespace zq {
namespace {

// Reads one entry from `in`; `entry` may be null to only step over it.
bool DecodeEntry(ByteReader& in, EntryLayout layout, ArchiveEntry* entry) {
  std::uint8_t kind = 0;
  if (!in.ReadU8(kind)) {
    return false;
  }
  ArchiveEntry scratch;
  ArchiveEntry& out = entry != nullptr ? *entry : scratch;
  out.kind = static_cast<char>(kind);
  if (out.kind == kEndMarker) {
    return true;
  }
  std::uint8_t length = 0;
  if (!in.ReadU8(length)) {
    return false;
  }
  if (entry != nullptr ? !in.ReadText(length, out.path) : !in.Skip(length)) {
    return false;
  }
  // A commercial folder (or any kind but a file) is a path alone.
  const bool named = layout == EntryLayout::kArchive || out.kind == kFileEntry;
  if (named) {
    if (!in.ReadU8(length) ||
        (entry != nullptr ? !in.ReadText(length, out.name) : !in.Skip(length))) {
      return false;
    }
  }
  if (out.kind != kFileEntry) {
    return true;
  }
  std::uint32_t size = 0;
  if (!in.ReadU32(size)) {
    return false;
  }
  return entry != nullptr ? in.ReadBytes(size, out.data) : in.Skip(size);
}

// The encoded length of the entry at `offset`, or nullopt when it does not fit.
std::optional<std::size_t> EntryLength(std::span<const std::uint8_t> bytes, std::size_t offset,
                                       EntryLayout layout) {
  MemoryByteReader in(bytes.subspan(offset));
  if (!DecodeEntry(in, layout, nullptr)) {
    return std::nullopt;
  }
  return in.Position();
}

}  // namespace

bool ArchiveEntryTable::Read(std::vector<std::uint8_t> bytes, std::uint32_t count,
                             EntryLayout layout) {
  bytes_.clear();
  runs_.clear();
  count_ = 0;
  layout_ = layout;
  if (bytes.size() > std::numeric_limits<std::uint32_t>::max()) {
    return false;  // run offsets have 32 bits
  }
  // First pass: how many entries are whole and how many runs they make, so
  // that the records are allocated once, at their exact number.
  std::size_t offset = 0;
  std::size_t whole = 0;
  std::size_t runs = 0;
  while (whole < count) {
    const std::optional<std::size_t> length = EntryLength(bytes, offset, layout);
    if (!length) {
      break;
    }
    if (whole == 0 || bytes[offset] != static_cast<std::uint8_t>(kEndMarker)) {
      ++runs;
    }
    offset += *length;
    ++whole;
  }
  runs_.reserve(runs);
  offset = 0;
  for (std::size_t i = 0; i < whole; ++i) {
    if (i == 0 || bytes[offset] != static_cast<std::uint8_t>(kEndMarker)) {
      runs_.push_back(Run{static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(i)});
    }
    offset += *EntryLength(bytes, offset, layout);
  }
  bytes.resize(offset);  // bytes after the last entry are never used
  bytes_ = std::move(bytes);
  count_ = whole;
  return whole == count;
}

ArchiveEntry ArchiveEntryTable::At(std::size_t index) const {
  if (index >= count_) {
    throw std::out_of_range("archive entry index");
  }
  // The last run that starts at or before `index`.
  const auto run = std::prev(std::upper_bound(
      runs_.begin(), runs_.end(), index,
      [](std::size_t wanted, const Run& candidate) { return wanted < candidate.index; }));
  ArchiveEntry entry;
  if (run->index != index) {
    return entry;  // inside a run: an end marker
  }
  MemoryByteReader in(std::span<const std::uint8_t>(bytes_).subspan(run->offset));
  DecodeEntry(in, layout_, &entry);  // it was read whole before
  return entry;
}

std::size_t ArchiveEntryTable::MemoryBytes() const {
  return bytes_.capacity() + runs_.capacity() * sizeof(Run);
}

}  // namespace zq
