// The compact entry table: every index decodes to the entry written there,
// end markers included, wherever they stand.
#include "packages/archive_entry_table.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "support/package_builder.h"

namespace zq {
namespace {

using test::Bytes;

Bytes Folder(const std::string& path, const std::string& name) {
  Bytes b{'0', static_cast<std::uint8_t>(path.size() + 1)};
  b.insert(b.end(), path.begin(), path.end());
  b.push_back(0);
  b.push_back(static_cast<std::uint8_t>(name.size() + 1));
  b.insert(b.end(), name.begin(), name.end());
  b.push_back(0);
  return b;
}

Bytes File(const std::string& name, const std::string& content) {
  Bytes b{'1', 1, 0, static_cast<std::uint8_t>(name.size() + 1)};
  b.insert(b.end(), name.begin(), name.end());
  b.push_back(0);
  for (int i = 0; i < 4; ++i) {
    b.push_back(static_cast<std::uint8_t>(content.size() >> (8 * i)));
  }
  b.insert(b.end(), content.begin(), content.end());
  return b;
}

// Entries written from a pattern: F folder, D file, E end marker, U unknown kind.
struct Layout {
  const char* pattern;
};
// Named by its pattern in test listings, not by its bytes.
void PrintTo(const Layout& c, std::ostream* os) {
  *os << c.pattern;
}

class EntryTableTest : public ::testing::TestWithParam<Layout> {};

TEST_P(EntryTableTest, EveryIndexDecodesToItsEntry) {
  const std::string pattern = GetParam().pattern;
  Bytes bytes;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const std::string tag = std::to_string(i);
    Bytes entry;
    switch (pattern[i]) {
      case 'F':
        entry = Folder("\\P" + tag, "F" + tag);
        break;
      case 'D':
        entry = File("D" + tag, "data" + tag);
        break;
      case 'E':
        entry = {'2'};
        break;
      default:
        entry = Folder("", "U" + tag);
        entry[0] = '7';
        break;
    }
    bytes.insert(bytes.end(), entry.begin(), entry.end());
  }
  ArchiveEntryTable table;
  ASSERT_TRUE(table.Read(bytes, static_cast<std::uint32_t>(pattern.size()), EntryLayout::kArchive));
  ASSERT_EQ(table.Count(), pattern.size());
  std::size_t index = 0;
  for (const ArchiveEntry& entry : table) {
    const std::string tag = std::to_string(index);
    switch (pattern[index]) {
      case 'F':
        EXPECT_TRUE(entry.IsFolder()) << pattern << " " << index;
        EXPECT_EQ(entry.path, "\\P" + tag);
        EXPECT_EQ(entry.name, "F" + tag);
        break;
      case 'D':
        EXPECT_TRUE(entry.IsFile()) << pattern << " " << index;
        EXPECT_EQ(entry.name, "D" + tag);
        EXPECT_EQ(entry.data, test::ToBytes("data" + tag));
        break;
      case 'E':
        EXPECT_EQ(entry.kind, kEndMarker) << pattern << " " << index;
        EXPECT_TRUE(entry.name.empty() && entry.path.empty() && entry.data.empty());
        break;
      default:
        EXPECT_EQ(entry.kind, '7') << pattern << " " << index;
        EXPECT_EQ(entry.name, "U" + tag);
        break;
    }
    ++index;
  }
  EXPECT_EQ(index, pattern.size());
  EXPECT_THROW(table.At(pattern.size()), std::out_of_range);
}

INSTANTIATE_TEST_SUITE_P(Runs, EntryTableTest,
                         ::testing::Values(Layout{"E"}, Layout{"EEE"}, Layout{"EEFD"},
                                           Layout{"FEEED"}, Layout{"FDUE"}, Layout{"DDDD"},
                                           Layout{"EFEFEUEE"}, Layout{"UEEEEEEEEEEF"}));

TEST(EntryTableReadTest, CutTablesKeepTheEntriesReadWhole) {
  Bytes bytes = Folder("", "A");
  const Bytes file = File("B", "bee");
  bytes.insert(bytes.end(), file.begin(), file.end());
  struct Case {
    std::size_t size;
    std::uint32_t count;
    bool whole;
    std::size_t read;
  };
  const std::size_t folderSize = Folder("", "A").size();
  const Case cases[] = {
      {bytes.size(), 2, true, 2},           {bytes.size(), 1, true, 1},
      {bytes.size() - 1, 2, false, 1},      {folderSize, 2, false, 1},
      {folderSize - 1, 1, false, 0},        {0, 0, true, 0},
      {bytes.size(), 0xFFFFFFFF, false, 2},
  };
  for (const Case& c : cases) {
    ArchiveEntryTable table;
    EXPECT_EQ(table.Read(test::Cut(bytes, c.size), c.count, EntryLayout::kArchive), c.whole)
        << c.size << " " << c.count;
    EXPECT_EQ(table.Count(), c.read) << c.size << " " << c.count;
  }
}

TEST(EntryTableReadTest, CommercialFoldersArePathsAlone) {
  // Commercial: a folder is kind and path; a file adds name, size and data.
  const Bytes bytes = {'0', 4, 'z', 'q', ':', 0, '2', '1', 2, 'P', 0, 2, 'N', 0, 1, 0, 0, 0, 'x'};
  ArchiveEntryTable table;
  ASSERT_TRUE(table.Read(bytes, 3, EntryLayout::kCommercial));
  EXPECT_EQ(table.At(0).path, "zq:");
  EXPECT_TRUE(table.At(0).name.empty());
  EXPECT_EQ(table.At(1).kind, kEndMarker);
  EXPECT_EQ(table.At(2).name, "N");
  EXPECT_EQ(table.At(2).data, Bytes{'x'});
  // Read as a free package's table, the same bytes do not hold three entries.
  EXPECT_FALSE(table.Read(bytes, 3, EntryLayout::kArchive));
}

}  // namespace
}  // namespace zq
