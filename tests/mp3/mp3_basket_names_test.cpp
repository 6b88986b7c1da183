// The console names the basket gives the files it adds: cut, missing when
// the console could not take them, and "copy PC file name".
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mp3/basket_fixture.h"
#include "mp3/basket_names.h"
#include "mp3/mp3_basket.h"

namespace zq {
namespace {

using test::BasketFixture;

using BasketNamesTest = BasketFixture;

TEST_F(BasketNamesTest, StateFlagsForLongNamesAndMissingTags) {
  PutTagged("Nine_byte.mp3", 200);
  Put("Plain.mp3", 200);
  Put("Long_name.mp3", 200);
  Mp3Basket& basket = Basket();
  basket.AddFiles({"Nine_byte.mp3", "Plain.mp3", "Long_name.mp3"});
  ASSERT_EQ(basket.Rows().size(), 3u);

  const BasketRow& longName = basket.Rows()[0];
  EXPECT_EQ(longName.entry.edited.state, basketstate::kNoConsoleName);
  EXPECT_EQ(longName.entry.edited.consoleName, "");
  EXPECT_EQ(longName.zqFileName, "");
  EXPECT_EQ(longName.icon, 2);

  const BasketRow& plain = basket.Rows()[1];
  EXPECT_EQ(plain.entry.edited.state, basketstate::kNoTag);
  EXPECT_EQ(plain.icon, 1);
  EXPECT_EQ(plain.entry.edited.title, "");
  EXPECT_EQ(plain.entry.edited.genre, -1);

  EXPECT_EQ(basket.Rows()[2].icon, 3);

  // Apply with a title and an artist makes the untagged file ready.
  basket.Choose(1);
  FieldValues values = basket.Fields();
  values.title = "Song";
  values.artist = "Band";
  ASSERT_TRUE(basket.Apply(values));
  EXPECT_EQ(basket.Rows()[1].entry.edited.state, basketstate::kReady);
  EXPECT_EQ(basket.Rows()[1].icon, 0);
  EXPECT_EQ(basket.Rows()[1].entry.initial.state, basketstate::kNoTag);
}

TEST_F(BasketNamesTest, ConsoleNameThatCannotBeSpelledInCp949IsMissing) {
  Put("\xF0\x9F\x8E\xB5.mp3", 200);          // a musical note, which CP949 lacks
  Put("\xEB\x85\xB8\xEB\x9E\x98.mp3", 200);  // a Korean word of two characters
  Mp3Basket& basket = Basket();
  basket.AddFiles({"\xF0\x9F\x8E\xB5.mp3", "\xEB\x85\xB8\xEB\x9E\x98.mp3"});
  ASSERT_EQ(basket.Rows().size(), 2u);
  EXPECT_EQ(basket.Rows()[0].entry.edited.state & basketstate::kNoConsoleName,
            basketstate::kNoConsoleName);
  EXPECT_EQ(basket.Rows()[1].entry.edited.consoleName, "\xB3\xEB\xB7\xA1");
  EXPECT_EQ(basket.Rows()[1].zqFileName, "\xB3\xEB\xB7\xA1.mp3");
}

TEST_F(BasketNamesTest, BaseNamesApplyWouldRefuseHaveNoConsoleName) {
  // Each holds one character Apply forbids; a space and a dot are among them
  // (a dot cannot be in a base name, which ends at the first dot).
  const std::vector<std::string> names = {"a\\b.mp3", "a:b.mp3", "a*b.mp3", "a?b.mp3", "a\"b.mp3",
                                          "a<b.mp3",  "a>b.mp3", "a|b.mp3", "a b.mp3"};
  for (const std::string& name : names) {
    Put(name, 200);
  }
  Put("ok_name.mp3", 200);
  Mp3Basket& basket = Basket();
  std::vector<std::string> all = names;
  all.push_back("ok_name.mp3");
  basket.AddFiles(all);
  ASSERT_EQ(basket.Rows().size(), all.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    const BasketRow& row = basket.Rows()[i];
    EXPECT_EQ(row.entry.edited.state & basketstate::kNoConsoleName, basketstate::kNoConsoleName)
        << names[i];
    EXPECT_EQ(row.entry.edited.consoleName, "") << names[i];
    EXPECT_EQ(row.zqFileName, "") << names[i];
  }
  EXPECT_EQ(basket.Rows().back().entry.edited.consoleName, "ok_name");
  EXPECT_EQ(basket.Rows().back().entry.edited.state & basketstate::kNoConsoleName, 0);
}

TEST_F(BasketNamesTest, CopyPcFileNameCutsAtWholeCharacters) {
  // "abcdefg" then two Korean characters: the eighth byte starts one.
  const std::string korean = "abcdefg\xEB\x85\xB8\xEB\x9E\x98";
  Put(korean + ".mp3", 200);
  Put("abcdefghij.x.mp3", 200);
  Mp3Basket& basket = Basket();
  EXPECT_EQ(basket.CopyPcFileName(), "");  // nothing chosen
  basket.AddFiles({korean + ".mp3", "abcdefghij.x.mp3"});
  basket.Choose(0);
  EXPECT_EQ(basket.CopyPcFileName(), "abcdefg");
  basket.Choose(1);
  EXPECT_EQ(basket.CopyPcFileName(), "abcdefgh");
  // Nothing is stored until Apply.
  EXPECT_EQ(basket.Rows()[1].entry.edited.consoleName, "");

  EXPECT_EQ(ConsoleNameFromPcFile("/m/\xEB\x85\xB8\xEB\x9E\x98\xEB\x85\xB8\xEB\x9E\x98x.mp3"),
            "\xB3\xEB\xB7\xA1\xB3\xEB\xB7\xA1");
  EXPECT_EQ(ConsoleNameFromPcFile("/m/a\xEB\x85\xB8\xEB\x9E\x98\xEB\x85\xB8\xEB\x9E\x98.mp3"),
            "a\xB3\xEB\xB7\xA1\xB3\xEB");
}

}  // namespace
}  // namespace zq
