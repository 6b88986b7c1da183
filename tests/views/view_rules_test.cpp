#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "views/rules/folder_path.h"
#include "views/rules/list_sorter.h"
#include "views/rules/listing_rules.h"
#include "views/rules/row_texts.h"
#include "views/rules/selection_rules.h"

namespace zq {
namespace {

TEST(FolderPath, ParentOfConsoleAndPcFoldersStopsAtTheRoot) {
  EXPECT_EQ(ParentFolderPath("zq:\\game\\race\\"), "zq:\\game\\");
  EXPECT_EQ(ParentFolderPath("zq:\\mp3\\"), "zq:\\");
  EXPECT_EQ(ParentFolderPath("zq:\\"), "zq:\\");  // a root shows itself again
  EXPECT_EQ(ParentFolderPath("/home/me/music/"), "/home/me/");
  EXPECT_EQ(ParentFolderPath("/home/"), "/");
  EXPECT_EQ(ParentFolderPath("/"), "/");
  EXPECT_EQ(ParentFolderPath(""), "");
}

TEST(FolderPath, ZqModeShowsOnlyZquserInAGamesOwnFolder) {
  EXPECT_TRUE(IsGameDataFolder("zq:\\game\\race\\"));
  EXPECT_TRUE(IsGameDataFolder("ZQ:\\GAME\\RACE\\"));
  EXPECT_FALSE(IsGameDataFolder("zq:\\game\\"));
  EXPECT_FALSE(IsGameDataFolder("zq:\\game\\race\\zquser\\"));
  EXPECT_FALSE(IsGameDataFolder("zq:\\mp3\\race\\"));

  EXPECT_TRUE(ShowEntry(true, "zq:\\game\\race\\", "ZQUSER"));
  EXPECT_FALSE(ShowEntry(true, "zq:\\game\\race\\", "DATA"));
  EXPECT_TRUE(ShowEntry(false, "zq:\\game\\race\\", "DATA"));
  EXPECT_TRUE(ShowEntry(true, "zq:\\game\\", "RACE.ZXE"));
  EXPECT_TRUE(ShowEntry(true, "zq:\\game\\race\\zquser\\", "SAVE.DAT"));
}

TEST(RowTexts, SizesAreWholeKilobytesRoundedDown) {
  EXPECT_EQ(SizeText(0), "0KB");
  EXPECT_EQ(SizeText(1000), "0KB");
  EXPECT_EQ(SizeText(1023), "0KB");
  EXPECT_EQ(SizeText(1024), "1KB");
  EXPECT_EQ(SizeText(4294967295U), "4194303KB");
}

TEST(RowTexts, ConsoleEntriesBecomeRowsAsTheTableSays) {
  RemoteEntry file;
  file.type = 0;
  file.name = "RACE.zxe";
  file.size = 1023;
  file.year = 2026;
  file.month = 3;
  file.day = 4;
  file.hour = 5;
  file.minute = 6;
  const RowTexts fileRow = RowForRemoteEntry(file);
  EXPECT_EQ(fileRow.rawName, "RACE.zxe");
  EXPECT_EQ(fileRow.size, "0KB");
  EXPECT_EQ(fileRow.type, "SMC file");
  EXPECT_EQ(fileRow.modified, "2026-03-04 05:06");
  EXPECT_EQ(fileRow.icon, RowIcon::Executable);

  RemoteEntry folder = file;
  folder.type = 1;
  folder.name = "MP3";
  const RowTexts folderRow = RowForRemoteEntry(folder);
  EXPECT_EQ(folderRow.size, "");
  EXPECT_EQ(folderRow.type, "folder");
  EXPECT_EQ(folderRow.icon, RowIcon::Folder);

  const RowTexts parent = ParentRow();
  EXPECT_EQ(parent.rawName, "..");
  EXPECT_EQ(parent.type, "folder");
  EXPECT_TRUE(parent.size.empty() && parent.modified.empty());
}

TEST(RowTexts, ConsoleFileIconsGoByTheLastExtension) {
  EXPECT_EQ(ConsoleFileIcon("A.ZXC"), RowIcon::Executable);
  EXPECT_EQ(ConsoleFileIcon("song.mp3"), RowIcon::Mp3File);
  EXPECT_EQ(ConsoleFileIcon("mp3.txt"), RowIcon::ConsoleFile);
  EXPECT_EQ(ConsoleFileIcon("README"), RowIcon::ConsoleFile);
  EXPECT_EQ(ConsoleFileIcon("x.tar.zxe"), RowIcon::Executable);
  EXPECT_TRUE(IsFolderRow("FOLDER"));
  EXPECT_FALSE(IsFolderRow("SMC file"));
}

TEST(ListSorter, NumbersTextsAndDates) {
  EXPECT_EQ(LeadingNumber("12KB"), 12);
  EXPECT_EQ(LeadingNumber(""), 0);
  EXPECT_EQ(LeadingNumber("KB"), 0);
  EXPECT_LT(CompareRows(SortKind::Number, "", "1KB"), 0);  // a folder's empty size sorts as 0
  EXPECT_EQ(CompareRows(SortKind::Number, "", "0KB"), 0);
  EXPECT_GT(CompareRows(SortKind::Number, "100KB", "99KB"), 0);

  EXPECT_EQ(CompareRows(SortKind::Text, "Music", "MUSIC"), 0);
  EXPECT_LT(CompareRows(SortKind::Text, "apple", "Banana"), 0);
  EXPECT_LT(CompareRows(SortKind::Text, "ab", "abc"), 0);

  EXPECT_LT(CompareRows(SortKind::DateTime, "2026-01-02 03:04", "2026-01-02 03:05"), 0);
  EXPECT_GT(CompareRows(SortKind::DateTime, "2027-01-01 00:00", "2026-12-31 23:59"), 0);
  EXPECT_EQ(CompareRows(SortKind::DateTime, "2026-01-02 03:04", "2026-01-02 03:04"), 0);
  EXPECT_FALSE(ParseDateTime("2026-13-02 03:04"));
  EXPECT_FALSE(ParseDateTime("yesterday"));
}

TEST(ListSorter, UnparsableDatesKeepAConsistentOrderInBothDirections) {
  // An ordering that says "a before b" and "b before a" at once breaks sorting.
  const char* dates[] = {"", "2026-01-02 03:04", "bad", "2025-05-05 05:05"};
  for (const char* a : dates) {
    for (const char* b : dates) {
      const int forward = CompareRows(SortKind::DateTime, a, b);
      const int backward = CompareRows(SortKind::DateTime, b, a);
      EXPECT_EQ(forward, -backward) << a << " / " << b;
    }
  }
}

TEST(ListSorter, EachSortByAColumnTogglesItsDirection) {
  SortDirections directions;
  EXPECT_FALSE(directions.Ascending(1));
  EXPECT_TRUE(directions.Toggle(1));
  EXPECT_FALSE(directions.Toggle(1));
  EXPECT_FALSE(directions.Ascending(0));
  EXPECT_EQ(SortKindOfColumn(0), SortKind::Text);
  EXPECT_EQ(SortKindOfColumn(1), SortKind::Number);
  EXPECT_EQ(SortKindOfColumn(2), SortKind::Text);
  EXPECT_EQ(SortKindOfColumn(3), SortKind::DateTime);
}

TEST(Selection, CopyCollectsFullPathsAndSkipsTheParentRow) {
  const auto console =
      CollectSelection("zq:\\game\\", {{"..", true}, {"RACE", true}, {"RACE.ZXE", false}});
  EXPECT_EQ(console, (std::vector<std::string>{"zq:\\game\\RACE\\", "zq:\\game\\RACE.ZXE"}));
  const auto pc = CollectSelection("/home/me/", {{"music", true}, {"a.mp3", false}});
  EXPECT_EQ(pc, (std::vector<std::string>{"/home/me/music/", "/home/me/a.mp3"}));
  EXPECT_TRUE(CollectSelection("zq:\\", {}).empty());
}

TEST(Selection, TheRemovalDetailCountsAndNamesTheFirstItems) {
  const struct {
    std::vector<std::string> names;
    const char* detail;
  } cases[] = {
      {{"ONE.MP3"}, "1 item will be removed: ONE.MP3"},
      {{"..", "A", "B"}, "2 items will be removed: A, B"},
      {{"A", "B", "C", "D", "E"}, "5 items will be removed: A, B, C and 2 more"},
      {{}, "Nothing is selected: nothing will be removed."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RemovalDetail(c.names), c.detail);
  }
}

TEST(Selection, NewConsoleFolderChecks) {
  const std::vector<std::string> others = {"..", "MP3", "GAME"};
  EXPECT_EQ(CheckNewConsoleFolder("mp3", others), NewFolderVerdict::AlreadyExists);
  EXPECT_EQ(CheckNewConsoleFolder("ABCDEFGHI", others), NewFolderVerdict::TooLong);
  EXPECT_EQ(CheckNewConsoleFolder("ABCDEFGH", others), NewFolderVerdict::Create);
  EXPECT_EQ(CheckNewConsoleFolder("", others), NewFolderVerdict::Empty);
  // The second byte of a Korean character is no letter: B0 61 is not B0 41.
  EXPECT_EQ(CheckNewConsoleFolder("\xB0\x61", {"\xB0\x41"}), NewFolderVerdict::Create);
  EXPECT_TRUE(
      SameNameIgnoringCase("\xB0\x41"
                           "Ab",
                           "\xB0\x41"
                           "aB"));
  // Two double-byte characters count four bytes of the eight.
  EXPECT_EQ(CheckNewConsoleFolder("\xB0\xA1\xB0\xA2XYZ", others), NewFolderVerdict::Create);
  EXPECT_EQ(CheckNewConsoleFolder("\xB0\xA1\xB0\xA2\xB0\xA3XYZ", others),
            NewFolderVerdict::TooLong);
}

TEST(Selection, ContextMenuGraying) {
  auto none = ContextMenuFor(false, false, true, 1);
  EXPECT_TRUE(none.newFolder);
  EXPECT_FALSE(none.copy);
  EXPECT_FALSE(none.remove);
  EXPECT_FALSE(none.paste);
  EXPECT_EQ(none.checkedStyle, 1);

  auto selected = ContextMenuFor(true, false, false, 3);
  EXPECT_FALSE(selected.newFolder);
  EXPECT_TRUE(selected.copy && selected.remove && selected.paste);
  EXPECT_EQ(selected.checkedStyle, 3);

  EXPECT_FALSE(ContextMenuFor(false, true, true, 0).newFolder);  // ZQ mode
}

TEST(Listing, FailureMessagesAndNamesThatCannotBeRows) {
  EXPECT_EQ(ListingFailureMessage(-19), "an error occurred in ZQ61 during process");
  EXPECT_EQ(ListingFailureMessage(-10), "unformatted SMC");
  EXPECT_EQ(ListingFailureMessage(-9), "communication error occurred");
  EXPECT_EQ(ListingFailureMessage(-5), "unknown error occurred");
  EXPECT_EQ(ListingFailureMessage(-1), "timed out");
  EXPECT_EQ(ListingFailureMessage(-20), "unknown error occurred");
  EXPECT_FALSE(IsListableConsoleName(".."));
  EXPECT_FALSE(IsListableConsoleName("."));
  EXPECT_FALSE(IsListableConsoleName(""));
  EXPECT_FALSE(IsListableConsoleName("A\\B"));
  EXPECT_TRUE(IsListableConsoleName("\xB0\xA1.MP3"));
}

}  // namespace
}  // namespace zq

namespace zq {
namespace {

// The per-quarter-hour shortcut gives the text a lookup of each time gives,
// across a day, a year's changes of offset and times before 1970.
TEST(LocalDateTexts, AgreeWithALookupOfEachTime) {
  const char* saved = std::getenv("TZ");
  const std::string savedZone = saved != nullptr ? saved : "";
  for (const char* zone : {"UTC0", "CET-1CEST,M3.5.0,M10.5.0/3", "NPT-5:45", "IST-5:30",
                           "NZST-12NZDT,M9.5.0,M4.1.0/3"}) {
    setenv("TZ", zone, 1);
    tzset();
    LocalDateTexts texts;
    for (std::int64_t t = 1'700'000'000 - 400'000; t < 1'700'000'000 + 31'600'000; t += 1'777) {
      ASSERT_EQ(texts.Of(t), LocalDateText(t)) << zone << " " << t;
    }
    for (std::int64_t t : {std::int64_t{-1}, std::int64_t{-899}, std::int64_t{-901},
                           std::int64_t{0}, std::int64_t{59}, std::int64_t{899}}) {
      EXPECT_EQ(texts.Of(t), LocalDateText(t)) << zone << " " << t;
    }
  }
  setenv("TZ", "UTC0", 1);
  tzset();
  EXPECT_EQ(LocalDateText(0), "1970-01-01 00:00");
  EXPECT_EQ(LocalDateText(1'700'000'059), "2023-11-14 22:14");
  if (saved != nullptr) {
    setenv("TZ", savedZone.c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();
}

}  // namespace
}  // namespace zq
