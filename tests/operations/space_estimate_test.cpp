#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "operations/pc_folder.h"
#include "support/temp_dir.h"

namespace zq {
namespace {

namespace fs = std::filesystem;

void WriteBytes(const fs::path& path, std::size_t size) {
  std::ofstream out(path, std::ios::binary);
  out << std::string(size, 'x');
}

TEST(SpaceEstimate, FolderCosts16384PlusItsContent) {
  test::TempDir dir;
  fs::create_directories(dir / "SAVES" / "OLD");
  WriteBytes(dir / "SAVES" / "A.SAV", 1000);
  WriteBytes(dir / "SAVES" / "B.SAV", 1000);
  WriteBytes(dir / "SAVES" / "OLD" / "C.SAV", 1000);
  EXPECT_EQ(EstimateCardBytes(dir / "SAVES" / "OLD"), 16384u + 1000u);
  EXPECT_EQ(EstimateCardBytes(dir / "SAVES"), 2 * 16384u + 3000u);
  EXPECT_EQ(EstimateCardBytes(dir / "SAVES" / "A.SAV"), 1000u);
}

TEST(SpaceEstimate, UnreadableOrMissingItemsFail) {
  test::TempDir dir;
  EXPECT_FALSE(EstimateCardBytes(dir / "missing.txt"));
  // A folder linking back to itself would never end.
  fs::create_directory(dir / "LOOP");
  fs::create_directory_symlink(dir / "LOOP", dir / "LOOP" / "AGAIN");
  EXPECT_FALSE(EstimateCardBytes(dir / "LOOP"));
}

}  // namespace
}  // namespace zq
