#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace zq {

enum class SortKind { Number, Text, DateTime };

// The comparison kind of each list column: Name text, Size number, Type
// text, Modified date-time.
SortKind SortKindOfColumn(int column);

// The leading decimal integer of a text: "12KB" is 12, an empty text 0.
long long LeadingNumber(std::string_view text);
// A date and time as the list writes it ("2026-12-08 18:43"), as minutes
// since the year 0; nullopt when the text is not such a date.
std::optional<long long> ParseDateTime(std::string_view text);

// Negative when `a` goes first in ascending order, positive when `b` does.
// Dates that do not parse come before every date that does, and equal among
// themselves, so that the order stays consistent in both directions.
int CompareRows(SortKind kind, std::string_view a, std::string_view b);

// A cell's text reduced once to what its kind compares: the leading number,
// the date in minutes (with whether it parsed), or the text with its ASCII
// letters lowered. CompareKeys orders keys as CompareRows orders the texts.
struct SortKey {
  long long number = 0;
  bool parsed = true;
  std::string text;
};
SortKey SortKeyOf(SortKind kind, std::string_view text);
int CompareKeys(SortKind kind, const SortKey& a, const SortKey& b);

// One direction flag per column, all false at first; each sort by a column
// toggles its flag first (true sorts ascending).
class SortDirections {
 public:
  static constexpr int kColumns = 4;
  bool Toggle(int column);
  bool Ascending(int column) const;

 private:
  std::array<bool, kColumns> ascending_{};
};

}  // namespace zq
