#include "platform/card_text.h"

#include <algorithm>
#include <string>

namespace zq {
namespace {

char FoldAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The name with its ASCII letters folded to lower case, the second byte of a
// double-byte character kept as it is.
std::string Folded(std::string_view name) {
  std::string out(name);
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (IsCp949Lead(static_cast<std::uint8_t>(out[i])) && i + 1 < out.size()) {
      ++i;
    } else {
      out[i] = FoldAscii(out[i]);
    }
  }
  return out;
}

}  // namespace

bool SameCardNameIgnoringCase(std::string_view a, std::string_view b) {
  // Equal lead bytes start a double-byte character in both names, so the
  // folded names differ exactly where the names do, case aside.
  return a.size() == b.size() && Folded(a) == Folded(b);
}

bool CardNameLessIgnoringCase(std::string_view a, std::string_view b) {
  const std::string x = Folded(a);
  const std::string y = Folded(b);
  return std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end(), [](char p, char q) {
    return static_cast<std::uint8_t>(p) < static_cast<std::uint8_t>(q);
  });
}

}  // namespace zq
