#include "platform/replace_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
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

mode_t ModeOf(const fs::path& p) {
  struct stat info {};
  EXPECT_EQ(::stat(p.c_str(), &info), 0) << p;
  return info.st_mode & 07777;
}

TEST_F(ReplaceFileTest, NewFilesFollowTheUmaskAndOldOnesKeepTheirMode) {
  const std::vector<std::uint8_t> data{'x'};
  for (const mode_t mask : {mode_t{022}, mode_t{027}, mode_t{077}, mode_t{002}}) {
    const mode_t previous = ::umask(mask);
    const fs::path target = dir_ / ("new" + std::to_string(mask));
    const ReplaceResult result = ReplaceFile(target, data);
    ::umask(previous);
    ASSERT_EQ(result, ReplaceResult::kOk);
    EXPECT_EQ(ModeOf(target), 0666 & ~mask) << std::oct << mask;
  }
  ASSERT_EQ(ReplaceFile(dir_ / "kept", data), ReplaceResult::kOk);
  ASSERT_EQ(::chmod((dir_ / "kept").c_str(), 0640), 0);
  ASSERT_EQ(ReplaceFile(dir_ / "kept", std::vector<std::uint8_t>{'y', 'z'}), ReplaceResult::kOk);
  EXPECT_EQ(ModeOf(dir_ / "kept"), 0640u);
  EXPECT_EQ(Read(dir_ / "kept"), "yz");
}

TEST_F(ReplaceFileTest, AFileTheUserMadeReadOnlyIsNotReplaced) {
  // In a folder anybody may write, a read-only file belonging to somebody
  // else: renaming over it would work, a truncating open would not.
  ASSERT_EQ(ReplaceFile(dir_ / "ro.bin", std::vector<std::uint8_t>{'o', 'l', 'd'}),
            ReplaceResult::kOk);
  ASSERT_EQ(::chmod((dir_ / "ro.bin").c_str(), 0444), 0);
  ASSERT_EQ(::chmod(dir_.c_str(), 0777), 0);
  // Root may write any file: the refusal is seen as an ordinary user, in a
  // child process that gives up root first.
  EXPECT_EXIT(
      {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
          std::_Exit(3);
        }
        const bool refused = ReplaceFile(dir_ / "ro.bin", std::vector<std::uint8_t>{'n'}) ==
                             ReplaceResult::kCreateFailed;
        std::_Exit(refused ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(Read(dir_ / "ro.bin"), "old");
  EXPECT_EQ(ModeOf(dir_ / "ro.bin"), 0444u);
  // Nothing was left beside it.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace zq
