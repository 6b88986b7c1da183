#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zq {

// One row of the genre table: the English name and the Korean name (CP949
// bytes), each a zero-padded 30-byte field.
struct GenreRow {
  static constexpr std::size_t kFieldWidth = 30;
  char english[kFieldWidth];
  char korean[kFieldWidth];
};

// The 80 ID3v1 genres in their numbering order; row i names genre i. The
// basket's genre selector shows the English names; the Korean names are
// carried for the console's own display and never shown by the program.
class GenreTable {
 public:
  static constexpr int kCount = 80;

  static bool Contains(std::int32_t genre) { return genre >= 0 && genre < kCount; }
  // The row of a genre; `genre` must satisfy Contains.
  static const GenreRow& Row(std::int32_t genre);
  // The names up to their first zero byte; empty for a genre outside the table.
  static std::string_view English(std::int32_t genre);
  static std::string_view Korean(std::int32_t genre);
};

}  // namespace zq
