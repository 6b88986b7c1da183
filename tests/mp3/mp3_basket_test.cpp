#include "mp3/mp3_basket.h"

#include <gtest/gtest.h>

#include "mp3/basket_fixture.h"
#include "mp3/basket_names.h"
#include "mp3/mp3_basket_texts.h"
#include "mp3/mp3_file.h"

namespace zq {
namespace {

using test::AudioPattern;
using test::BasketFixture;
using test::ReadAllBytes;
using test::V1Values;

using BasketTest = BasketFixture;

TEST_F(BasketTest, AddedFileTakesItsBaseNameAndTag) {
  PutTagged("Summer.Hits.mp3", 1000);
  Mp3Basket& basket = Basket();
  EXPECT_EQ(basket.Browser().Folder(), music_.Folder());
  basket.AddFiles({"Summer.Hits.mp3"});
  ASSERT_EQ(basket.Rows().size(), 1u);
  const BasketRow& row = basket.Rows()[0];
  EXPECT_EQ(row.pcFileName, "Summer.Hits.mp3");
  EXPECT_EQ(row.zqFileName, "Summer.mp3");
  EXPECT_EQ(row.path, MusicPath());
  EXPECT_EQ(row.icon, 0);
  EXPECT_EQ(row.entry.size, 1128);
  EXPECT_EQ(row.entry.pcBaseName, "Summer");
  EXPECT_EQ(row.entry.initial, row.entry.edited);
  EXPECT_EQ(basket.Total(), 1128);
  EXPECT_EQ(ui_.LogOf("wait-begin").size(), 1u);
  EXPECT_EQ(ui_.WaitDepth(), 0);

  EXPECT_FALSE(basket.FieldsEnabled());
  basket.Choose(0);
  ASSERT_TRUE(basket.FieldsEnabled());
  const FieldValues& shown = basket.Fields();
  EXPECT_EQ(shown.pcFile, music_.Folder() + "Summer.mp3");
  EXPECT_EQ(shown.consoleName, "Summer");
  EXPECT_EQ(shown.size, 1128);
  EXPECT_EQ(shown.title, "Title");
  EXPECT_EQ(shown.artist, "Artist");
  EXPECT_EQ(shown.album, "Album");
  EXPECT_EQ(shown.year, "1999");
  EXPECT_EQ(shown.comment, "Comment");
  EXPECT_EQ(shown.genreSelection, 13);
  EXPECT_TRUE(ui_.Messages().empty());
}

TEST_F(BasketTest, ApplyChecksInOrder) {
  PutTagged("one.mp3", 200);
  PutTagged("two.mp3", 200);
  Mp3Basket& basket = Basket();
  basket.AddFiles({"one.mp3", "two.mp3"});
  basket.Choose(1);
  const TagFields before = basket.Rows()[1].entry.edited;

  EXPECT_FALSE(basket.Apply(Filled("")));
  EXPECT_FALSE(basket.Apply(Filled("a.b")));
  EXPECT_FALSE(basket.Apply(Filled("a b")));
  EXPECT_FALSE(basket.Apply(Filled("a*")));
  EXPECT_FALSE(basket.Apply(Filled("ONE")));
  EXPECT_EQ(ui_.Messages(),
            (std::vector<std::string>{baskettext::kTypeFileName, baskettext::kInvalidFileName,
                                      baskettext::kInvalidFileName, baskettext::kInvalidFileName,
                                      baskettext::kSameFileInList}));
  EXPECT_EQ(basket.Rows()[1].entry.edited, before);

  // Its own name passes; the questions come only for empty fields.
  EXPECT_TRUE(basket.Apply(Filled("Two")));
  EXPECT_TRUE(ui_.LogOf("ask").empty());
  EXPECT_EQ(basket.Rows()[1].zqFileName, "Two.mp3");
}

TEST_F(BasketTest, ApplyQuestionsStopOnNo) {
  PutTagged("one.mp3", 200);
  Mp3Basket& basket = Basket();
  basket.AddFiles({"one.mp3"});
  basket.Choose(0);
  FieldValues values = Filled("new");
  values.title.clear();
  values.artist.clear();

  ui_.ScriptAnswer(Answer::No);
  EXPECT_FALSE(basket.Apply(values));
  ui_.ScriptAnswer(Answer::Yes);
  ui_.ScriptAnswer(Answer::No);
  EXPECT_FALSE(basket.Apply(values));
  EXPECT_EQ(basket.Rows()[0].entry.edited.consoleName, "one");
  EXPECT_EQ(ui_.LogOf("ask"),
            (std::vector<std::string>{std::string("ask: ") + baskettext::kNoTitle,
                                      std::string("ask: ") + baskettext::kNoTitle,
                                      std::string("ask: ") + baskettext::kNoMusician}));

  ui_.ScriptAnswer(Answer::Yes);
  ui_.ScriptAnswer(Answer::Yes);
  EXPECT_TRUE(basket.Apply(values));
  EXPECT_EQ(basket.Rows()[0].entry.edited.title, "");
  EXPECT_EQ(basket.Rows()[0].zqFileName, "new.mp3");
}

TEST_F(BasketTest, ApplyCutsAndTrimsWhatItStores) {
  Put("one.mp3", 200);
  Mp3Basket& basket = Basket();
  basket.AddFiles({"one.mp3"});
  basket.Choose(0);
  FieldValues values = Filled("one");
  values.title = std::string(29, 'x') + "\xEA\xB0\x80";  // 29 bytes, then a double-byte character
  values.artist = "Band   ";
  values.album = std::string(31, 'a');
  values.year = "20245";
  values.comment = "  spaced  ";
  values.genreSelection = 36;
  ASSERT_TRUE(basket.Apply(values));
  const TagFields& tag = basket.Rows()[0].entry.edited;
  EXPECT_EQ(tag.title, std::string(29, 'x'));
  EXPECT_EQ(tag.artist, "Band");
  EXPECT_EQ(tag.album, std::string(30, 'a'));
  EXPECT_EQ(tag.year, "2024");
  EXPECT_EQ(tag.comment, "  spaced");
  EXPECT_EQ(tag.genre, 36);
  EXPECT_EQ(tag.state, basketstate::kReady);
}

TEST_F(BasketTest, GenreOutsideTheTableShowsNoneAndAppliesAsNone) {
  const V1Values tag{"T", "A", "", "", "", 200};
  Put("odd.mp3", 300, &tag);
  Mp3Basket& basket = Basket();
  basket.AddFiles({"odd.mp3"});
  EXPECT_EQ(basket.Rows()[0].entry.initial.genre, -56);
  basket.Choose(0);
  EXPECT_EQ(basket.Fields().genreSelection, -1);
  ASSERT_TRUE(basket.Apply(basket.Fields()));
  EXPECT_EQ(basket.Rows()[0].entry.edited.genre, -1);
}

TEST_F(BasketTest, ResetRestoresTheInitialHalf) {
  Put("Long_name.mp3", 200);
  Mp3Basket& basket = Basket();
  basket.AddFiles({"Long_name.mp3"});
  basket.Choose(0);
  ASSERT_TRUE(basket.Apply(Filled("short")));
  EXPECT_EQ(basket.Rows()[0].icon, 0);
  basket.Reset();
  const BasketRow& row = basket.Rows()[0];
  EXPECT_EQ(row.entry.edited, row.entry.initial);
  EXPECT_EQ(row.icon, 3);
  EXPECT_EQ(row.zqFileName, "");
  EXPECT_EQ(basket.Fields().consoleName, "");
  EXPECT_EQ(basket.Fields().title, "");
}

TEST_F(BasketTest, SelectionWithAnythingButMp3AddsNothing) {
  PutTagged("a.mp3", 200);
  std::filesystem::create_directory(music_.Path() / "Sub");
  Mp3Basket& basket = Basket();
  basket.AddFiles({"a.mp3", "Sub"});
  basket.AddFiles({"a.mp3", "notes.txt"});
  EXPECT_TRUE(basket.Rows().empty());
  EXPECT_EQ(ui_.Messages(),
            (std::vector<std::string>{"mp3 파일만 선택해 주세요.", "mp3 파일만 선택해 주세요."}));
  EXPECT_EQ(ui_.WaitDepth(), 0);
  // Upper case extension is still .mp3.
  PutTagged("B.MP3", 200);
  basket.AddFiles({"B.MP3"});
  EXPECT_EQ(basket.Rows().size(), 1u);
}

TEST_F(BasketTest, SameFileIsAddedOnceSilently) {
  PutTagged("a.mp3", 200);
  Mp3Basket& basket = Basket();
  basket.AddFiles({"a.mp3"});
  basket.AddFiles({"a.mp3"});
  EXPECT_EQ(basket.Rows().size(), 1u);
  EXPECT_EQ(basket.Total(), 328);
  EXPECT_TRUE(ui_.Messages().empty());
}

TEST_F(BasketTest, UnreadableFilesAreReportedAndSkipped) {
  PutTagged("good.mp3", 200);
  Put("tiny.mp3", 100);
  Mp3Basket& basket = Basket();
  basket.AddFiles({"missing.mp3", "tiny.mp3", "good.mp3"});
  ASSERT_EQ(basket.Rows().size(), 1u);
  EXPECT_EQ(basket.Rows()[0].pcFileName, "good.mp3");
  EXPECT_EQ(ui_.Messages(),
            (std::vector<std::string>{"failed to open file\nfile name : " + music_ / "missing.mp3",
                                      "invalid file\nfile name : " + music_ / "tiny.mp3"}));
}

TEST_F(BasketTest, RemoveSubtractsAndEmptiesTheFields) {
  PutTagged("a.mp3", 200);
  PutTagged("b.mp3", 300);
  Mp3Basket& basket = Basket();
  basket.AddFiles({"a.mp3", "b.mp3"});
  EXPECT_EQ(basket.Total(), 328 + 428);
  basket.Choose(0);
  basket.Remove(0);
  EXPECT_EQ(basket.Total(), 428);
  ASSERT_EQ(basket.Rows().size(), 1u);
  EXPECT_EQ(basket.Rows()[0].pcFileName, "b.mp3");
  EXPECT_FALSE(basket.FieldsEnabled());
  EXPECT_EQ(basket.Fields(), FieldValues());
  // With nothing chosen, the field commands do nothing.
  EXPECT_FALSE(basket.Apply(Filled("x")));
  EXPECT_FALSE(basket.BackUp());
}

TEST_F(BasketTest, ClickOnEmptySpaceDisablesButKeepsTheValues) {
  PutTagged("a.mp3", 200);
  Mp3Basket& basket = Basket();
  basket.AddFiles({"a.mp3"});
  basket.Choose(0);
  basket.Choose(std::nullopt);
  EXPECT_FALSE(basket.FieldsEnabled());
  EXPECT_EQ(basket.Fields().title, "Title");
}

TEST_F(BasketTest, MovedRowTakesTheTargetPlaceAndTheChoiceFollows) {
  for (const char* name : {"a.mp3", "b.mp3", "c.mp3", "d.mp3"}) {
    PutTagged(name, 200);
  }
  Mp3Basket& basket = Basket();
  basket.AddFiles({"a.mp3", "b.mp3", "c.mp3", "d.mp3"});
  const auto order = [&basket] {
    std::string names;
    for (const BasketRow& row : basket.Rows()) {
      names += row.pcFileName[0];
    }
    return names;
  };
  basket.Choose(3);
  basket.MoveRow(3, 1);  // dropped on b: d goes before it
  EXPECT_EQ(order(), "adbc");
  EXPECT_EQ(basket.Chosen(), 1u);

  basket.MoveRow(0, 2);  // dropped on b from above: a lands just above b
  EXPECT_EQ(order(), "dabc");
  EXPECT_EQ(basket.Chosen(), 0u);  // d, which stayed chosen

  basket.MoveRow(2, 2);
  basket.MoveRow(2, 9);
  EXPECT_EQ(order(), "dabc");
  EXPECT_EQ(basket.Total(), 4 * 328);

  // Apply now acts on d, the row that was chosen.
  ASSERT_TRUE(basket.Apply(Filled("dee")));
  EXPECT_EQ(basket.Rows()[0].zqFileName, "dee.mp3");
}

TEST_F(BasketTest, BackUpWritesAudioAndTheEditedTag) {
  PutTagged("a.mp3", 500);
  Mp3Basket& basket = Basket();
  basket.AddFiles({"a.mp3"});
  basket.Choose(0);
  FieldValues values = Filled("song");
  values.album = "Album";
  values.year = "2002";
  values.comment = std::string(30, 'c');
  values.genreSelection = 5;
  ASSERT_TRUE(basket.Apply(values));

  const std::string target = music_ / "backup.mp3";
  ui_.ScriptSaveFile(target);
  ASSERT_TRUE(basket.BackUp());
  ASSERT_EQ(ui_.Calls().size(), ui_.Log().size());
  EXPECT_EQ(ui_.Messages().back(), "completed");
  EXPECT_EQ(settings_.GetString("PATH", "mp3backup"), MusicPath());

  std::vector<std::uint8_t> expected = AudioPattern(500);
  const auto record = test::Id3v1Record({"T", "A", "Album", "2002", std::string(30, 'c'), 5});
  expected.insert(expected.end(), record.begin(), record.end());
  EXPECT_EQ(ReadAllBytes(target), expected);
  // The PC file it read is left as it was.
  EXPECT_EQ(ReadAllBytes(music_ / "a.mp3").size(), 628u);
}

TEST_F(BasketTest, BackUpOntoItsOwnSourceReplacesItWhole) {
  test::Mp3Builder().Id3v2({0, 0, 0, 40}, 0, 40).Audio(900).WriteTo(music_.Path() / "self.mp3");
  Mp3Basket& basket = Basket();
  basket.AddFiles({"self.mp3"});
  basket.Choose(0);
  ASSERT_TRUE(basket.Apply(Filled("self")));
  ui_.ScriptSaveFile(music_ / "self.mp3");
  ASSERT_TRUE(basket.BackUp());
  std::vector<std::uint8_t> expected = AudioPattern(900);
  const auto record = test::Id3v1Record({"T", "A", "", "", "", 255});
  expected.insert(expected.end(), record.begin(), record.end());
  EXPECT_EQ(ReadAllBytes(music_ / "self.mp3"), expected);
}

TEST_F(BasketTest, BackUpDialogStartsInTheStoredOrDefaultFolder) {
  PutTagged("a.mp3", 200);
  Mp3Basket& basket = Basket();
  basket.AddFiles({"a.mp3"});
  basket.Choose(0);
  ui_.ScriptSaveFile(std::nullopt);
  EXPECT_FALSE(basket.BackUp());
  EXPECT_FALSE(settings_.Has("PATH", "mp3backup"));
  EXPECT_TRUE(ui_.Messages().empty());
  EXPECT_EQ(ui_.LogOf("choose-save").size(), 1u);
  EXPECT_EQ(ui_.lastSave.startFolder, program_.Folder() + "mp3");
  EXPECT_EQ(ui_.lastSave.proposedName, "a.mp3");
  EXPECT_EQ(ui_.lastSave.defaultExtension, "mp3");
  ASSERT_EQ(ui_.lastSave.filters.size(), 1u);
  EXPECT_EQ(ui_.lastSave.filters[0].first, "MP3 file (*.mp3)");
  EXPECT_EQ(ui_.lastSave.filters[0].second, "*.mp3");

  settings_.SetString("PATH", "mp3backup", "/somewhere/else");
  ui_.ScriptSaveFile(std::nullopt);
  EXPECT_FALSE(basket.BackUp());
  EXPECT_EQ(ui_.lastSave.startFolder, "/somewhere/else");
}

TEST_F(BasketTest, BackUpRefusesEntriesNotReadyAndReportsFailures) {
  Put("Long_name.mp3", 200);
  PutTagged("a.mp3", 200);
  Mp3Basket& basket = Basket();
  basket.AddFiles({"Long_name.mp3", "a.mp3"});
  basket.Choose(0);
  EXPECT_FALSE(basket.BackUp());
  EXPECT_EQ(ui_.Messages().back(), baskettext::kInvalidMp3File);
  EXPECT_TRUE(ui_.LogOf("choose-save").empty());

  basket.Choose(1);
  ui_.ScriptSaveFile(music_ / "no/such/folder.mp3");
  EXPECT_FALSE(basket.BackUp());
  EXPECT_EQ(ui_.Messages().back(), "failed to write");

  std::filesystem::remove(music_.Path() / "a.mp3");
  ui_.ScriptSaveFile(music_ / "x.mp3");
  EXPECT_FALSE(basket.BackUp());
  EXPECT_EQ(ui_.Messages().back(), "failed to open file\nfile name : " + music_ / "a.mp3");
  EXPECT_FALSE(std::filesystem::exists(music_.Path() / "x.mp3"));
}

TEST_F(BasketTest, FolderSettings) {
  Mp3Basket& basket = Basket();
  std::filesystem::create_directory(music_.Path() / "Rock");
  basket.Browser().SetFolder(music_ / "Rock");
  basket.SetThisFolderAsDefault();
  EXPECT_EQ(settings_.GetString("PATH", "MP3"), music_ / "Rock/");

  test::MemorySettings empty;
  Mp3Basket fresh(ui_, empty, program_.Folder(), 0);
  EXPECT_EQ(fresh.Browser().Folder(), Mp3Basket::DefaultPcFolder());
  EXPECT_EQ(fresh.Browser().Folder().back(), '/');
}

TEST(BasketOpeningTest, ConsoleFolderLabel) {
  EXPECT_EQ(Mp3Basket::ConsoleFolderLabel("zq:\\mp3\\"), "zq:\\mp3\\");
  EXPECT_EQ(Mp3Basket::ConsoleFolderLabel("ZQ:\\MP3\\sub\\"), "ZQ:\\MP3\\sub\\");
  EXPECT_EQ(Mp3Basket::ConsoleFolderLabel("zq:\\mp3"), "zq:\\mp3\\");
  EXPECT_EQ(Mp3Basket::ConsoleFolderLabel("zq:\\game\\"), "zq:\\mp3\\");
  EXPECT_EQ(Mp3Basket::ConsoleFolderLabel("zq:\\mp30\\"), "zq:\\mp3\\");
  EXPECT_EQ(Mp3Basket::ConsoleFolderLabel("/home/x/mp3/"), "zq:\\mp3\\");
  EXPECT_EQ(Mp3Basket::ConsoleFolderLabel(""), "zq:\\mp3\\");
  EXPECT_EQ(Mp3Basket::FreeSpaceForBasket(true, 4000000000u), 4000000000);
  EXPECT_EQ(Mp3Basket::FreeSpaceForBasket(false, 1234), 0);
}

}  // namespace
}  // namespace zq
