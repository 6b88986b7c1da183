#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "emulator/console.h"
#include "mp3/basket_fixture.h"
#include "mp3/mp3_basket.h"
#include "mp3/mp3_basket_texts.h"
#include "operations/device_operations.h"
#include "support/emulated_console.h"

namespace zq {
namespace {

namespace fs = std::filesystem;
using test::AudioPattern;
using test::ReadAllBytes;

// Sending the basket to an in-process console over the real endpoints.
class BasketSendTest : public test::BasketFixture {
 protected:
  BasketSendTest() : link_(console_.Connected()), ops_(*link_, ui_) {}

  // The card's file for a name in zq:\mp3, found ignoring case as the
  // console does; empty when there is none.
  fs::path CardMp3(const std::string& name) const {
    for (const auto& item : fs::recursive_directory_iterator(console_.CardDir())) {
      const std::string relative = fs::relative(item.path(), console_.CardDir()).generic_string();
      if (item.is_regular_file() && test::EqualFold(relative, "mp3/" + name)) {
        return item.path();
      }
    }
    return {};
  }

  // Lines of the progress window naming the files, in the order sent.
  std::vector<std::string> SentOrder() const { return ui_.LogOf("progress-line"); }

  test::EmulatedConsole console_;
  std::unique_ptr<LinkSession> link_;
  DeviceOperations ops_;
};

TEST_F(BasketSendTest, EmptyBasketCompletesAtOnce) {
  EXPECT_TRUE(Basket().Send(ops_));
  EXPECT_EQ(ui_.Log(), (std::vector<std::string>{"message: completed"}));
}

TEST_F(BasketSendTest, SendsBottomRowFirstAsAudioAndTheEditedTag) {
  PutTagged("a.mp3", 3000, 1);
  Put("b.mp3", 70000, nullptr, 2);
  PutTagged("c.mp3", 500, 3);
  Mp3Basket& basket = Basket();
  basket.AddFiles({"a.mp3", "b.mp3", "c.mp3"});
  basket.Choose(1);
  FieldValues values = Filled("bee");
  values.album = "Album";
  values.year = "2003";
  values.comment = "Comment";
  values.genreSelection = 79;
  ASSERT_TRUE(basket.Apply(values));

  ASSERT_TRUE(basket.Send(ops_));
  EXPECT_EQ(ui_.Messages().back(), "completed");
  const std::vector<std::string> lines = SentOrder();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_NE(lines[0].find("c.mp3"), std::string::npos);
  EXPECT_NE(lines[1].find("bee.mp3"), std::string::npos);
  EXPECT_NE(lines[2].find("a.mp3"), std::string::npos);

  std::vector<std::uint8_t> expected = AudioPattern(70000, 2);
  const auto record = test::Id3v1Record({"T", "A", "Album", "2003", "Comment", 79});
  expected.insert(expected.end(), record.begin(), record.end());
  ASSERT_FALSE(CardMp3("bee.mp3").empty());
  EXPECT_EQ(ReadAllBytes(CardMp3("bee.mp3")), expected);

  // An entry never edited gets its own tag back, any ID3v2 tag dropped.
  std::vector<std::uint8_t> a = AudioPattern(3000, 1);
  const auto aTag = test::Id3v1Record({"Title", "Artist", "Album", "1999", "Comment", 13});
  a.insert(a.end(), aTag.begin(), aTag.end());
  EXPECT_EQ(ReadAllBytes(CardMp3("a.mp3")), a);
  // Sent rows stay; the totals do not change.
  EXPECT_EQ(basket.Rows().size(), 3u);
  EXPECT_EQ(basket.Total(), 3128 + 70128 + 628);
}

TEST_F(BasketSendTest, FailureLeavesTheRowsBelowSent) {
  PutTagged("a.mp3", 400);
  PutTagged("b.mp3", 400);
  PutTagged("c.mp3", 400);
  Mp3Basket& basket = Basket();
  basket.AddFiles({"a.mp3", "b.mp3", "c.mp3"});
  fs::remove(music_.Path() / "b.mp3");
  EXPECT_FALSE(basket.Send(ops_));
  EXPECT_EQ(ui_.Messages(),
            (std::vector<std::string>{"failed to open file\nfile name : " + music_ / "b.mp3"}));
  EXPECT_FALSE(CardMp3("c.mp3").empty());
  EXPECT_TRUE(CardMp3("b.mp3").empty());
  EXPECT_TRUE(CardMp3("a.mp3").empty());
}

TEST_F(BasketSendTest, ConsoleFailureIsFollowedByFailedToSend) {
  PutTagged("a.mp3", 400);
  Mp3Basket& basket = Basket();
  basket.AddFiles({"a.mp3"});
  console_.Console().SetUnformatted();
  EXPECT_FALSE(basket.Send(ops_));
  const auto messages = ui_.Messages();
  ASSERT_EQ(messages.size(), 2u);  // the device operation's own message, then ours
  EXPECT_EQ(messages[1], "failed to send");
}

TEST_F(BasketSendTest, TotalEqualToTheFreeSpaceIsSentOneByteMoreIsNot) {
  PutTagged("a.mp3", 400);
  PutTagged("b.mp3", 600);
  {
    Mp3Basket& tight = Basket(528 + 728 - 1);
    tight.AddFiles({"a.mp3", "b.mp3"});
    EXPECT_FALSE(tight.Send(ops_));
    EXPECT_EQ(ui_.Messages(), (std::vector<std::string>{"insufficient space in SMC"}));
    EXPECT_TRUE(CardMp3("a.mp3").empty());
    EXPECT_TRUE(CardMp3("b.mp3").empty());
  }
  basket_.reset();
  ui_.ClearLog();
  Mp3Basket& exact = Basket(528 + 728);
  exact.AddFiles({"a.mp3", "b.mp3"});
  EXPECT_TRUE(exact.Send(ops_));
  EXPECT_EQ(ui_.Messages(), (std::vector<std::string>{"completed"}));
  EXPECT_FALSE(CardMp3("a.mp3").empty());
  EXPECT_FALSE(CardMp3("b.mp3").empty());
}

TEST_F(BasketSendTest, SameBaseNameFromTwoFoldersIsSentTwiceUnderOneName) {
  fs::create_directory(music_.Path() / "x");
  fs::create_directory(music_.Path() / "y");
  PutTagged("x/song.mp3", 300, 1);
  PutTagged("y/song.mp3", 500, 2);
  Mp3Basket& basket = Basket();
  basket.Browser().SetFolder(music_ / "x");
  basket.AddFiles({"song.mp3"});
  basket.Browser().SetFolder(music_ / "y");
  basket.AddFiles({"song.mp3"});
  ASSERT_EQ(basket.Rows().size(), 2u);
  EXPECT_EQ(basket.Rows()[0].icon, 0);
  EXPECT_EQ(basket.Rows()[1].icon, 0);
  ASSERT_TRUE(basket.Send(ops_));
  // The top row goes last and is what the card keeps.
  EXPECT_EQ(ReadAllBytes(CardMp3("song.mp3")).size(), 428u);
}

TEST_F(BasketSendTest, KoreanConsoleNameArrivesOnTheCard) {
  const std::string song = "\xEB\x85\xB8\xEB\x9E\x98";  // a Korean word of two characters
  PutTagged(song + ".mp3", 300);
  Mp3Basket& basket = Basket();
  basket.AddFiles({song + ".mp3"});
  ASSERT_EQ(basket.Rows()[0].icon, 0);
  ASSERT_TRUE(basket.Send(ops_));
  EXPECT_EQ(ReadAllBytes(CardMp3(song + ".mp3")).size(), 428u);
}

TEST_F(BasketSendTest, EntryNotReadyStopsTheWholeBasketUntilApply) {
  PutTagged("a.mp3", 400);
  PutTagged("Long_name.mp3", 400);
  Mp3Basket& basket = Basket();
  basket.AddFiles({"a.mp3", "Long_name.mp3"});
  EXPECT_FALSE(basket.Send(ops_));
  EXPECT_EQ(ui_.Messages(), (std::vector<std::string>{baskettext::kInvalidFileInList}));
  EXPECT_TRUE(CardMp3("a.mp3").empty());

  basket.Choose(1);
  ASSERT_TRUE(basket.Apply(Filled("longname")));
  EXPECT_TRUE(basket.Send(ops_));
  EXPECT_FALSE(CardMp3("longname.mp3").empty());
  EXPECT_FALSE(CardMp3("a.mp3").empty());
}

}  // namespace
}  // namespace zq
