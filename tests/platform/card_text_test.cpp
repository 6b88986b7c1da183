#include "platform/card_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace zq {
namespace {

// CP949: B0 41 and B0 61 are two different Hangul syllables whose second
// bytes fall on 'A' and 'a'.
constexpr const char* kSyllableUpper = "\xB0\x41";
constexpr const char* kSyllableLower = "\xB0\x61";

TEST(CardText, CaseIsIgnoredOnlyForAsciiLettersOutsideDoubleByteCharacters) {
  struct Case {
    std::string a, b;
    bool same;
  };
  const Case cases[] = {
      {"GAME.ZXE", "game.zxe", true},
      {"Mp3", "mP3", true},
      {kSyllableUpper, kSyllableLower, false},
      {std::string(kSyllableUpper) + "X", std::string(kSyllableUpper) + "x", true},
      {std::string("A") + kSyllableUpper, std::string("a") + kSyllableLower, false},
      {"A", "AB", false},
      {"[", "{", false},
      {"@", "`", false},
      // A lead byte at the end has no second byte: it is compared alone.
      {"A\xB0", "a\xB0", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SameCardNameIgnoringCase(c.a, c.b), c.same) << c.a << " / " << c.b;
    EXPECT_EQ(SameCardNameIgnoringCase(c.b, c.a), c.same) << c.b << " / " << c.a;
  }
}

TEST(CardText, SortedNamesIgnoreCase) {
  std::vector<std::string> names = {"Zeta.ZXE", "game.zxe", "ALPHA.FXE", "beta.zxe"};
  std::sort(names.begin(), names.end(), CardNameLessIgnoringCase);
  EXPECT_EQ(names, (std::vector<std::string>{"ALPHA.FXE", "beta.zxe", "game.zxe", "Zeta.ZXE"}));
  // A double-byte character sorts after ASCII, by its bytes as they are.
  EXPECT_TRUE(CardNameLessIgnoringCase("z", kSyllableUpper));
  EXPECT_TRUE(CardNameLessIgnoringCase(kSyllableUpper, kSyllableLower));
  EXPECT_FALSE(CardNameLessIgnoringCase("abc", "ABC"));
  EXPECT_FALSE(CardNameLessIgnoringCase("ABC", "abc"));
}

}  // namespace
}  // namespace zq
