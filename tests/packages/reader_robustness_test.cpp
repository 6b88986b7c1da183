// Damaged and hostile files: every one must end in a status, never in a
// crash, an overrun or a huge allocation (these also run under the sanitizers).
#include <gtest/gtest.h>

#include <random>

#include "packages/archive_reader.h"
#include "packages/commercial_package.h"
#include "support/package_builder.h"
#include "support/temp_dir.h"

namespace zq {
namespace {

using test::ArchiveBuilder;
using test::Bytes;
using test::CommercialBuilder;
using test::StreamCoding;
using test::ToBytes;

Bytes SampleArchive() {
  return ArchiveBuilder::Package()
      .Title("robust")
      .Root("zq:\\game\\ROBUST")
      .Folder("", "DATA")
      .File("\\DATA", "A.DAT", Bytes(40, 0x5A))
      .EndMarker()
      .File("", "EMPTY", Bytes{})
      .Build();
}

Bytes SampleZpk() {
  return CommercialBuilder()
      .Title("robust")
      .TargetFolder("zq:\\game\\ROBUST")
      .Zxe("ROBUST.ZXE", Bytes(30, 1))
      .Zxc("ROBUST.ZXC", Bytes(20, 2))
      .Folder("zq:\\game\\ROBUST")
      .File("zq:\\game\\ROBUST", "A.DAT", Bytes(40, 0x5A))
      .EndMarker()
      .Coding(StreamCoding::kSzddLiteral)
      .Build();
}

class ReaderRobustnessTest : public ::testing::Test {
 protected:
  std::filesystem::path Write(const Bytes& bytes) {
    test::WriteBytes(path_, bytes);
    return path_;
  }

  test::TempDir dir_{"zq-robust"};
  std::filesystem::path path_ = dir_ / "input.bin";
  std::mt19937 random_{0x2061};
};

TEST_F(ReaderRobustnessTest, EveryPrefixOfAnArchiveIsAShortRead) {
  const Bytes whole = SampleArchive();
  PackageArchive reader;
  ASSERT_EQ(reader.Open(Write(whole)), archive_status::kOk);
  for (std::size_t size = 0; size < whole.size(); ++size) {
    ASSERT_EQ(reader.Open(Write(test::Cut(whole, size))), archive_status::kShortRead) << size;
  }
}

TEST_F(ReaderRobustnessTest, EveryPrefixOfACommercialPackageIsAShortRead) {
  const Bytes whole = SampleZpk();
  CommercialPackage package;
  ASSERT_EQ(package.Load(Write(whole)), archive_status::kOk);
  for (std::size_t size = 0; size < whole.size(); ++size) {
    ASSERT_EQ(package.Load(Write(test::Cut(whole, size))), archive_status::kShortRead) << size;
  }
}

TEST_F(ReaderRobustnessTest, RandomBytesAfterAValidMagic) {
  PackageArchive package;
  PatchArchive patch;
  CommercialPackage commercial;
  for (int round = 0; round < 300; ++round) {
    Bytes tail(random_() % 400);
    for (auto& byte : tail) {
      byte = static_cast<std::uint8_t>(random_());
    }
    for (const char* magic : {"ZQKG", "PTCH", "ZPK "}) {
      Bytes bytes = ToBytes(magic);
      bytes.insert(bytes.end(), tail.begin(), tail.end());
      Write(bytes);
      const ArchiveStatus status = std::string(magic) == "ZQKG"   ? package.Open(path_)
                                   : std::string(magic) == "PTCH" ? patch.Open(path_)
                                                                  : commercial.Load(path_);
      EXPECT_TRUE(status == archive_status::kOk || status == archive_status::kShortRead)
          << magic << " round " << round << " status " << status;
    }
  }
}

// Flipped bytes inside valid files reach the deeper fields: counts, lengths,
// sizes and the compressed stream.
TEST_F(ReaderRobustnessTest, CorruptedBytesInValidFiles) {
  const Bytes archive = SampleArchive();
  const Bytes zpk = SampleZpk();
  PackageArchive package;
  CommercialPackage commercial;
  for (int round = 0; round < 400; ++round) {
    for (const Bytes* original : {&archive, &zpk}) {
      Bytes bytes = *original;
      const int flips = 1 + static_cast<int>(random_() % 4);
      for (int i = 0; i < flips; ++i) {
        // Keep the magic, so that reading goes past it.
        bytes[4 + random_() % (bytes.size() - 4)] = static_cast<std::uint8_t>(random_());
      }
      Write(bytes);
      const ArchiveStatus status =
          original == &archive ? package.Open(path_) : commercial.Load(path_);
      EXPECT_TRUE(status == archive_status::kOk || status == archive_status::kShortRead)
          << "round " << round << " status " << status;
    }
  }
}

TEST_F(ReaderRobustnessTest, RandomExpandedStreams) {
  ArchiveEntryTable entries;
  for (int round = 0; round < 2000; ++round) {
    Bytes stream(random_() % 300);
    for (auto& byte : stream) {
      // Mostly valid kinds, so that entries are really parsed.
      byte = static_cast<std::uint8_t>(random_() % 3 == 0 ? '0' + random_() % 3 : random_());
    }
    const std::uint32_t count = random_() % 8 == 0 ? 0xFFFFFFFF : random_() % 20;
    if (ReadCommercialEntries(stream, count, entries)) {
      EXPECT_EQ(entries.Count(), count);
    }
  }
}

}  // namespace
}  // namespace zq
