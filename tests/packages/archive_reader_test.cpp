#include "packages/archive_reader.h"

#include <gtest/gtest.h>

#include "support/package_builder.h"
#include "support/temp_dir.h"

namespace zq {
namespace {

using test::ArchiveBuilder;
using test::Bytes;
using test::ToBytes;

class ArchiveReaderTest : public ::testing::Test {
 protected:
  // Writes `bytes` to a file and opens it with `reader`.
  ArchiveStatus OpenBytes(ArchiveReader& reader, const Bytes& bytes) {
    const auto path = dir_ / "archive.bin";
    test::WriteBytes(path, bytes);
    return reader.Open(path);
  }

  test::TempDir dir_{"zq-archive"};
};

TEST_F(ArchiveReaderTest, ReadsHeaderAndEntriesInFileOrder) {
  const Bytes program = {0x00, 0xFF, 0x10, 0x20, 0x00};
  const Bytes archive = ArchiveBuilder::Package()
                            .Title("Star \xB0\xA1 Quest")  // a double-byte character, kept as bytes
                            .Root("zq:\\game\\STAR")
                            .Folder("", "DATA")
                            .Folder("\\DATA", "SOUND")
                            .File("\\DATA\\SOUND", "BOOM.WAV", program)
                            .File("", "README.TXT", "hello")
                            .Build();
  PackageArchive reader;
  ASSERT_EQ(OpenBytes(reader, archive), archive_status::kOk);
  EXPECT_EQ(reader.Path(), dir_ / "archive.bin");
  EXPECT_EQ(reader.Header().magic, "ZQKG");
  EXPECT_EQ(reader.Header().title, "Star \xB0\xA1 Quest");
  EXPECT_EQ(reader.Header().root, "zq:\\game\\STAR");

  const ArchiveEntryTable& table = reader.Entries();
  ASSERT_EQ(table.Count(), 5u);
  EXPECT_TRUE(table.At(0).IsFolder());
  EXPECT_EQ(table.At(0).path, "");
  EXPECT_EQ(table.At(0).name, "DATA");
  EXPECT_EQ(table.At(1).path, "\\DATA");
  EXPECT_EQ(table.At(1).name, "SOUND");
  EXPECT_TRUE(table.At(2).IsFile());
  EXPECT_EQ(table.At(2).path, "\\DATA\\SOUND");
  EXPECT_EQ(table.At(2).name, "BOOM.WAV");
  EXPECT_EQ(table.At(2).Size(), program.size());
  EXPECT_EQ(table.At(2).data, program);
  EXPECT_EQ(table.At(3).data, ToBytes("hello"));
  EXPECT_EQ(table.At(4).kind, kEndMarker);
}

TEST_F(ArchiveReaderTest, PatchReaderReadsTheSameLayoutWithItsOwnMagic) {
  ArchiveBuilder patch = ArchiveBuilder::Patch().Title("fix").Root("zq:\\game\\A");
  patch.File("", "A.DAT", "new");
  PatchArchive reader;
  ASSERT_EQ(OpenBytes(reader, patch.Build()), archive_status::kOk);
  EXPECT_EQ(reader.Header().title, "fix");
  ASSERT_EQ(reader.Entries().Count(), 2u);
  EXPECT_EQ(reader.Entries().At(0).data, ToBytes("new"));
}

TEST_F(ArchiveReaderTest, OpenStatuses) {
  PackageArchive package;
  PatchArchive patch;
  EXPECT_EQ(package.Open(dir_ / "missing.fpk"), archive_status::kOpenFailed);
  EXPECT_EQ(package.Open(dir_.Path()), archive_status::kOpenFailed);

  // Fewer than four bytes is a short read, even when they begin the magic.
  EXPECT_EQ(OpenBytes(package, {}), archive_status::kShortRead);
  EXPECT_EQ(OpenBytes(package, ToBytes("ZQK")), archive_status::kShortRead);
  EXPECT_EQ(OpenBytes(package, ToBytes("ZQKG")), archive_status::kShortRead);

  // Each reader refuses the other's magic, and the magic is compared exactly.
  EXPECT_EQ(OpenBytes(package, ArchiveBuilder::Patch().Build()), archive_status::kBadMagic);
  EXPECT_EQ(OpenBytes(patch, ArchiveBuilder::Package().Build()), archive_status::kBadMagic);
  EXPECT_EQ(OpenBytes(package, ArchiveBuilder("zqkg").Build()), archive_status::kBadMagic);
  EXPECT_EQ(OpenBytes(package, ToBytes("PTC")), archive_status::kShortRead);
}

TEST_F(ArchiveReaderTest, RootCutShortIsAShortRead) {
  const Bytes whole = ArchiveBuilder::Package().Root("zq:\\game\\LONGROOT").Build();
  constexpr std::size_t kRootStart = 123;
  EXPECT_EQ(whole[121], 18);  // rootLength, NUL included
  PackageArchive reader;
  EXPECT_EQ(OpenBytes(reader, test::Cut(whole, kRootStart + 5)), archive_status::kShortRead);
  EXPECT_EQ(OpenBytes(reader, test::Cut(whole, kRootStart + 17)), archive_status::kShortRead);
}

TEST_F(ArchiveReaderTest, CountDecidesHowManyEntriesAreRead) {
  PackageArchive reader;
  // A count of 0 opens; whatever follows is not read.
  ASSERT_EQ(OpenBytes(reader, ArchiveBuilder::Package().Folder("", "A").Count(0).Build()),
            archive_status::kOk);
  EXPECT_EQ(reader.Entries().Count(), 0u);

  // Bytes after the last counted entry are ignored.
  ASSERT_EQ(OpenBytes(reader, ArchiveBuilder::Package()
                                  .Folder("", "A")
                                  .File("", "B", "b")
                                  .Count(1)
                                  .Trailing({0xDE, 0xAD})
                                  .Build()),
            archive_status::kOk);
  ASSERT_EQ(reader.Entries().Count(), 1u);
  EXPECT_EQ(reader.Entries().At(0).name, "A");

  // More entries announced than the file holds.
  EXPECT_EQ(OpenBytes(reader, ArchiveBuilder::Package().Folder("", "A").Count(3).Build()),
            archive_status::kShortRead);
}

TEST_F(ArchiveReaderTest, HostileCountsAndSizesFailWithoutAllocating) {
  PackageArchive reader;
  EXPECT_EQ(OpenBytes(reader, ArchiveBuilder::Package().Count(0xFFFFFFFF).Build()),
            archive_status::kShortRead);
  // A file entry announcing 4 GiB of data in a file of a few bytes.
  const Bytes hugeFile = {'1', 1, 0, 2, 'F', 0, 0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3};
  EXPECT_EQ(OpenBytes(reader, ArchiveBuilder::Package().RawEntry(hugeFile).Build()),
            archive_status::kShortRead);
  // A root announcing 65535 bytes.
  Bytes hugeRoot = ArchiveBuilder::Package().Build();
  hugeRoot[121] = 0xFF;
  hugeRoot[122] = 0xFF;
  EXPECT_EQ(OpenBytes(reader, hugeRoot), archive_status::kShortRead);
}

TEST_F(ArchiveReaderTest, EndMarkerMidTableIsSkippedAndReadingGoesOn) {
  PackageArchive reader;
  ASSERT_EQ(OpenBytes(reader, ArchiveBuilder::Package()
                                  .Folder("", "A")
                                  .EndMarker()
                                  .File("\\A", "B.DAT", "bee")
                                  .Build()),
            archive_status::kOk);
  ASSERT_EQ(reader.Entries().Count(), 4u);
  EXPECT_EQ(reader.Entries().At(1).kind, kEndMarker);
  EXPECT_EQ(reader.Entries().At(2).name, "B.DAT");
  EXPECT_EQ(reader.Entries().At(2).data, ToBytes("bee"));
}

TEST_F(ArchiveReaderTest, UnknownKindIsReadLikeAFolder) {
  PackageArchive reader;
  ASSERT_EQ(
      OpenBytes(
          reader,
          ArchiveBuilder::Package().Entry('7', "\\X", "ODD").File("", "NEXT.DAT", "n").Build()),
      archive_status::kOk);
  ASSERT_EQ(reader.Entries().Count(), 3u);
  EXPECT_EQ(reader.Entries().At(0).kind, '7');
  EXPECT_EQ(reader.Entries().At(0).name, "ODD");
  EXPECT_TRUE(reader.Entries().At(0).data.empty());
  EXPECT_EQ(reader.Entries().At(1).name, "NEXT.DAT");
}

TEST_F(ArchiveReaderTest, TextsAndEmptyFiles) {
  const std::string title64(64, 'T');
  PackageArchive reader;
  ASSERT_EQ(
      OpenBytes(reader, ArchiveBuilder::Package()
                            .Title(title64)
                            .Root("zq:\\game")
                            .File("", "EMPTY.DAT", Bytes{})        // path is the NUL alone
                            .RawEntry({'0', 0, 3, 'N', 'O', 'N'})  // no path, name without NUL
                            .RawEntry({'0', 4, 'A', 0, 'B', 0, 2, 'C', 0})  // bytes past a NUL
                            .Build()),
      archive_status::kOk);
  EXPECT_EQ(reader.Header().title, title64);  // no NUL: all 64 bytes
  const ArchiveEntryTable& table = reader.Entries();
  ASSERT_EQ(table.Count(), 4u);
  EXPECT_EQ(table.At(0).path, "");
  EXPECT_EQ(table.At(0).name, "EMPTY.DAT");
  EXPECT_TRUE(table.At(0).IsFile());
  EXPECT_EQ(table.At(0).Size(), 0u);
  EXPECT_EQ(table.At(1).path, "");
  EXPECT_EQ(table.At(1).name, "NON");
  EXPECT_EQ(table.At(2).path, "A");
  EXPECT_EQ(table.At(2).name, "C");
}

TEST_F(ArchiveReaderTest, ReopeningForgetsThePreviousArchive) {
  PackageArchive reader;
  ASSERT_EQ(OpenBytes(reader, ArchiveBuilder::Package().Title("one").Folder("", "A").Build()),
            archive_status::kOk);
  ASSERT_EQ(OpenBytes(reader, ArchiveBuilder::Package().Title("two").Build()), archive_status::kOk);
  EXPECT_EQ(reader.Header().title, "two");
  EXPECT_EQ(reader.Entries().Count(), 1u);
}

}  // namespace
}  // namespace zq
