#include "views/rules/list_sorter.h"

#include <cctype>
#include <cstddef>

namespace zq {

namespace {

char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Reads `count` digits at `pos` into `value`; false when they are not all digits.
bool ReadDigits(std::string_view text, std::size_t pos, std::size_t count, int& value) {
  if (pos + count > text.size()) {
    return false;
  }
  value = 0;
  for (std::size_t i = 0; i < count; ++i) {
    if (!IsDigit(text[pos + i])) {
      return false;
    }
    value = value * 10 + (text[pos + i] - '0');
  }
  return true;
}

// Byte by byte as unsigned bytes, so that double-byte names order consistently.
int CompareBytes(std::string_view a, std::string_view b) {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (x != y) {
      return x < y ? -1 : 1;
    }
  }
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

}  // namespace

SortKind SortKindOfColumn(int column) {
  switch (column) {
    case 1:
      return SortKind::Number;
    case 3:
      return SortKind::DateTime;
    default:
      return SortKind::Text;
  }
}

long long LeadingNumber(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
    ++pos;
  }
  bool negative = false;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
    negative = text[pos] == '-';
    ++pos;
  }
  long long value = 0;
  // Capped well below overflow: sizes in KB never come near it.
  for (; pos < text.size() && IsDigit(text[pos]) && value < 1'000'000'000'000'000LL; ++pos) {
    value = value * 10 + (text[pos] - '0');
  }
  return negative ? -value : value;
}

std::optional<long long> ParseDateTime(std::string_view text) {
  // "YYYY-MM-DD HH:MM"
  if (text.size() != 16 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':') {
    return std::nullopt;
  }
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  if (!ReadDigits(text, 0, 4, year) || !ReadDigits(text, 5, 2, month) ||
      !ReadDigits(text, 8, 2, day) || !ReadDigits(text, 11, 2, hour) ||
      !ReadDigits(text, 14, 2, minute)) {
    return std::nullopt;
  }
  if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59) {
    return std::nullopt;
  }
  return ((((static_cast<long long>(year) * 13 + month) * 32 + day) * 24 + hour) * 60) + minute;
}

SortKey SortKeyOf(SortKind kind, std::string_view text) {
  SortKey key;
  switch (kind) {
    case SortKind::Number:
      key.number = LeadingNumber(text);
      break;
    case SortKind::DateTime: {
      const auto minutes = ParseDateTime(text);
      key.parsed = minutes.has_value();
      key.number = minutes.value_or(0);
      break;
    }
    case SortKind::Text:
      key.text.reserve(text.size());
      for (char c : text) {
        key.text.push_back(LowerAscii(c));
      }
      break;
  }
  return key;
}

int CompareKeys(SortKind kind, const SortKey& a, const SortKey& b) {
  switch (kind) {
    case SortKind::Text:
      return CompareBytes(a.text, b.text);
    case SortKind::DateTime:
      if (!a.parsed || !b.parsed) {
        return (a.parsed ? 1 : 0) - (b.parsed ? 1 : 0);
      }
      break;
    case SortKind::Number:
      break;
  }
  return a.number < b.number ? -1 : (a.number > b.number ? 1 : 0);
}

int CompareRows(SortKind kind, std::string_view a, std::string_view b) {
  return CompareKeys(kind, SortKeyOf(kind, a), SortKeyOf(kind, b));
}

bool SortDirections::Toggle(int column) {
  if (column < 0 || column >= kColumns) {
    return true;
  }
  ascending_[static_cast<std::size_t>(column)] = !ascending_[static_cast<std::size_t>(column)];
  return ascending_[static_cast<std::size_t>(column)];
}

bool SortDirections::Ascending(int column) const {
  return column >= 0 && column < kColumns && ascending_[static_cast<std::size_t>(column)];
}

}  // namespace zq
