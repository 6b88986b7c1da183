#include "platform/replace_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace zq {
namespace {

namespace fs = std::filesystem;

class ReplaceFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "zq-replace-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(dir_);
  }
  static std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  fs::path dir_;
};

TEST_F(ReplaceFileTest, WritesNewAndReplacesOldLeavingNoTemporary) {
  const std::vector<std::uint8_t> first{'o', 'l', 'd'};
  const std::vector<std::uint8_t> second{'n', 'e', 'w', '!'};
  ASSERT_EQ(ReplaceFile(dir_ / "a.bin", first), ReplaceResult::kOk);
  EXPECT_EQ(Read(dir_ / "a.bin"), "old");
  ASSERT_EQ(ReplaceFile(dir_ / "a.bin", second), ReplaceResult::kOk);
  EXPECT_EQ(Read(dir_ / "a.bin"), "new!");
  ASSERT_EQ(ReplaceFile(dir_ / "empty", {}), ReplaceResult::kOk);
  EXPECT_EQ(fs::file_size(dir_ / "empty"), 0u);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);
}

TEST_F(ReplaceFileTest, FailureLeavesOldFileUntouched) {
  const std::vector<std::uint8_t> first{'o', 'l', 'd'};
  ASSERT_EQ(ReplaceFile(dir_ / "a.bin", first), ReplaceResult::kOk);
  if (::geteuid() != 0) {
    // A folder that takes no new files: the temporary cannot be created.
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(ReplaceFile(dir_ / "a.bin", std::vector<std::uint8_t>{'x'}),
              ReplaceResult::kCreateFailed);
    fs::permissions(dir_, fs::perms::owner_all);
  }
  // A target that is a folder cannot be replaced by a file.
  fs::create_directory(dir_ / "sub");
  EXPECT_EQ(ReplaceFile(dir_ / "sub", std::vector<std::uint8_t>{'x'}),
            ReplaceResult::kCreateFailed);
  EXPECT_TRUE(fs::is_directory(dir_ / "sub"));
  EXPECT_EQ(ReplaceFile(dir_ / "missing" / "a.bin", std::vector<std::uint8_t>{'x'}),
            ReplaceResult::kCreateFailed);
  EXPECT_EQ(Read(dir_ / "a.bin"), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);
}

}  // namespace
}  // namespace zq
