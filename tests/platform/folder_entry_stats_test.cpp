#include "platform/folder_entry_stats.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "platform/file_times.h"
#include "support/temp_dir.h"

namespace zq {
namespace {

TEST(FolderEntryStatsTest, SizeAndLastWriteOfEntriesByName) {
  test::TempDir folder("zq-stats");
  { std::ofstream(folder / "five.txt") << "12345"; }
  const auto when = std::filesystem::file_time_type::clock::now() - std::chrono::hours(48);
  std::filesystem::last_write_time(folder / "five.txt", when);
  std::filesystem::create_directories(folder / "sub");

  const FolderEntryStats stats(folder.Path().string());
  const auto five = stats.Of("five.txt");
  ASSERT_TRUE(five.has_value());
  EXPECT_EQ(five->size, 5u);
  EXPECT_EQ(five->lastWriteSeconds, LastWriteSeconds((folder / "five.txt").string()));
  EXPECT_TRUE(stats.Of("sub").has_value());
  EXPECT_FALSE(stats.Of("missing").has_value());
  // A folder that cannot be opened reads nothing.
  EXPECT_FALSE(FolderEntryStats("/zq-no-such-folder").Of("x").has_value());
}

}  // namespace
}  // namespace zq
