#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <span>
#include <vector>

#include "packages/archive_entry.h"

namespace zq {

// How entries are encoded: in free packages and patches every kind but an end
// marker has a path and a name; in a commercial stream only a file has a name.
enum class EntryLayout { kArchive, kCommercial };

// The entries of a package, patch or commercial stream in file order, the end
// markers included. The encoded bytes are kept once and each entry is decoded
// when it is asked for. Beside the bytes the table holds one 8-byte record per
// run (an entry and the end markers right after it), so a hostile table of end
// markers costs its own size and any other entry, at least 3 bytes long, costs
// at most 8 more: memory stays within a few times the bytes read.
class ArchiveEntryTable {
 public:
  class Iterator {
   public:
    using iterator_category = std::input_iterator_tag;
    using value_type = ArchiveEntry;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = ArchiveEntry;

    Iterator(const ArchiveEntryTable& table, std::size_t index) : table_(&table), index_(index) {}
    ArchiveEntry operator*() const { return table_->At(index_); }
    Iterator& operator++() {
      ++index_;
      return *this;
    }
    bool operator==(const Iterator& other) const { return index_ == other.index_; }

   private:
    const ArchiveEntryTable* table_;
    std::size_t index_;
  };

  std::uint32_t reserved = 0;  // the table's first word, not interpreted

  // Decodes `count` entries from the start of `bytes`, which the table keeps.
  // False when the bytes end inside an entry (or the table would pass 4 GiB);
  // the table then holds the entries read whole. Nothing is allocated for a
  // count before the entries are found in the bytes.
  bool Read(std::vector<std::uint8_t> bytes, std::uint32_t count, EntryLayout layout);

  std::size_t Count() const { return count_; }
  // The entry at `index`, decoded; throws std::out_of_range past the end.
  ArchiveEntry At(std::size_t index) const;
  Iterator begin() const { return Iterator(*this, 0); }
  Iterator end() const { return Iterator(*this, count_); }

  // Bytes held for the entries: the encoded bytes and the run records.
  std::size_t MemoryBytes() const;

 private:
  struct Run {
    std::uint32_t offset;  // where the run's first entry starts in bytes_
    std::uint32_t index;   // that entry's index
  };

  std::vector<std::uint8_t> bytes_;
  std::vector<Run> runs_;
  std::size_t count_ = 0;
  EntryLayout layout_ = EntryLayout::kArchive;
};

}  // namespace zq
