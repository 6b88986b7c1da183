// zq61-cli under a 256 MiB address-space limit (as `ulimit -v 262144`):
// hostile packages read within it, and one that memory cannot hold ends
// with its message and a failure status, never an abort.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include "cli/cli_fixture.h"
#include "support/package_builder.h"

namespace zq::test {
namespace {

using ::testing::HasSubstr;

constexpr std::uint64_t kAddressSpace = 256ull << 20;

// A free package holding one file of `size` bytes, written sparse: the disk
// keeps almost nothing of it.
void WriteSparsePackage(const std::filesystem::path& path, std::uint32_t size) {
  Bytes head = ArchiveBuilder::Package().Root("zq:\\game").WithoutFinalEndMarker().Count(1).Build();
  const Bytes entry = {'1',
                       1,
                       0,
                       6,
                       'B',
                       '.',
                       'B',
                       'I',
                       'N',
                       0,
                       static_cast<std::uint8_t>(size),
                       static_cast<std::uint8_t>(size >> 8),
                       static_cast<std::uint8_t>(size >> 16),
                       static_cast<std::uint8_t>(size >> 24)};
  head.insert(head.end(), entry.begin(), entry.end());
  WriteBytes(path, head);
  const int fd = ::open(path.c_str(), O_WRONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(head.size() + size)), 0);
  ::close(fd);
}

struct Case {
  const char* what;
  const char* file;
  int exitStatus;
  const char* message;
};
// Named by its what in test listings, not by its bytes.
void PrintTo(const Case& c, std::ostream* os) {
  *os << c.what;
}

class CliMemoryTest : public CliTest, public ::testing::WithParamInterface<Case> {
 protected:
  void SetUp() override {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit";
#endif
    StartConsole();
    const Bytes markers(1 << 20, '2');
    ArchiveBuilder::Package().Count(1 << 20).WithoutFinalEndMarker().Trailing(markers).WriteTo(
        Pc() / "markers.fpk");
    // About 1 MiB expanding to 8.5 MiB of end markers (it took 826 MiB before).
    CommercialBuilder()
        .TargetFolder("zq:\\zqmm")
        .EntryCount(8500000)
        .Stream(SzddRepeated('2', 8500000))
        .WriteTo(Pc() / "backrefs.zpk");
    WriteSparsePackage(Pc() / "huge.fpk", 300u << 20);
  }
};

TEST_P(CliMemoryTest, InstallEndsWithItsMessageUnderTheLimit) {
  const Case& c = GetParam();
  const CliRun run = RunCli({"--yes", "install", (Pc() / c.file).string()}, Devices(), {},
                            std::chrono::seconds(120), ChildSetup{kAddressSpace, 0, {}});
  EXPECT_EQ(run.exitStatus, c.exitStatus) << c.what << "\n" << run.err;
  EXPECT_THAT(run.err, HasSubstr(c.message)) << c.what;
  EXPECT_THAT(run.err, ::testing::Not(HasSubstr("terminate called"))) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Packages, CliMemoryTest,
                         ::testing::Values(Case{"a free package of end markers", "markers.fpk", 0,
                                                "do you want to install"},
                                           Case{"a commercial stream of back-references",
                                                "backrefs.zpk", 0, "installed successfully"},
                                           Case{"a 300 MiB file in a package", "huge.fpk", 1,
                                                "failed to read data from file"}));

}  // namespace
}  // namespace zq::test
