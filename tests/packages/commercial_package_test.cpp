#include "packages/commercial_package.h"

#include <gtest/gtest.h>

#include "support/package_builder.h"
#include "support/temp_dir.h"

namespace zq {
namespace {

using test::Bytes;
using test::CommercialBuilder;
using test::StreamCoding;
using test::ToBytes;

// A game with a folder tree, an empty file and a larger file that repeats
// itself, so that a compressor finds back references.
CommercialBuilder SampleGame() {
  Bytes level;
  for (int i = 0; i < 2000; ++i) {
    level.push_back(static_cast<std::uint8_t>(i % 13));
  }
  CommercialBuilder game;
  game.Title("Dragon \xB0\xA1")
      .TargetFolder("zq:\\game\\DRAGON")
      .Zxe("DRAGON.ZXE", ToBytes("zxe program"))
      .Zxc("DRAGON.ZXC", ToBytes("zxc"))
      .Folder("zq:\\game\\DRAGON")
      .Folder("zq:\\game\\DRAGON\\DATA")
      .File("zq:\\game\\DRAGON\\DATA", "LEVEL1.DAT", level)
      .File("zq:\\game\\DRAGON", "EMPTY.DAT", {});
  return game;
}

class CommercialPackageTest : public ::testing::Test {
 protected:
  ArchiveStatus LoadBytes(CommercialPackage& package, const Bytes& bytes) {
    const auto path = dir_ / "game.zpk";
    test::WriteBytes(path, bytes);
    return package.Load(path);
  }

  // The entries must be those the builder put in, in order.
  static void ExpectSampleEntries(const CommercialPackage& package) {
    ASSERT_EQ(package.EntryCount(), 4u);
    EXPECT_TRUE(package.Entry(0).IsFolder());
    EXPECT_EQ(package.Entry(0).path, "zq:\\game\\DRAGON");
    EXPECT_EQ(package.Entry(0).name, "");
    EXPECT_EQ(package.Entry(1).path, "zq:\\game\\DRAGON\\DATA");
    EXPECT_TRUE(package.Entry(2).IsFile());
    EXPECT_EQ(package.Entry(2).path, "zq:\\game\\DRAGON\\DATA");
    EXPECT_EQ(package.Entry(2).name, "LEVEL1.DAT");
    ASSERT_EQ(package.Entry(2).Size(), 2000u);
    EXPECT_EQ(package.Entry(2).data[1999], 1999 % 13);
    EXPECT_EQ(package.Entry(3).name, "EMPTY.DAT");
    EXPECT_EQ(package.Entry(3).Size(), 0u);
  }

  test::TempDir dir_{"zq-zpk"};
};

TEST_F(CommercialPackageTest, ReadsInfoProgramsAndPlainStream) {
  CommercialPackage package;
  ASSERT_EQ(LoadBytes(package, SampleGame().Build()), archive_status::kOk);
  EXPECT_EQ(package.Magic(), "ZPK ");
  EXPECT_EQ(package.Title(), "Dragon \xB0\xA1");
  EXPECT_EQ(package.TargetFolder(), "zq:\\game\\DRAGON");
  EXPECT_EQ(package.Info().entryCount, 4u);
  EXPECT_EQ(package.Program1().magic, "ZXE ");
  EXPECT_EQ(package.Program1().name, "DRAGON.ZXE");
  EXPECT_EQ(package.Program1().data, ToBytes("zxe program"));
  EXPECT_EQ(package.Program2().magic, "ZXC ");
  EXPECT_EQ(package.Program2().name, "DRAGON.ZXC");
  EXPECT_EQ(package.Program2().Size(), 3u);
  ExpectSampleEntries(package);
}

TEST_F(CommercialPackageTest, SzddStreamsGiveTheSameEntriesAsThePlainStream) {
  CommercialPackage literal;
  ASSERT_EQ(LoadBytes(literal, SampleGame().Coding(StreamCoding::kSzddLiteral).Build()),
            archive_status::kOk);
  ExpectSampleEntries(literal);

  if (!test::HasMsCompress()) {
    GTEST_SKIP() << "mscompress is not installed";
  }
  const Bytes packed = SampleGame().Coding(StreamCoding::kMsCompress).Build();
  EXPECT_LT(packed.size(), SampleGame().Build().size());
  CommercialPackage compressed;
  ASSERT_EQ(LoadBytes(compressed, packed), archive_status::kOk);
  ExpectSampleEntries(compressed);
  CommercialPackage plain;
  ASSERT_EQ(LoadBytes(plain, SampleGame().Build()), archive_status::kOk);
  for (std::size_t i = 0; i < plain.EntryCount(); ++i) {
    EXPECT_EQ(compressed.Entry(i).data, plain.Entry(i).data);
  }
}

TEST_F(CommercialPackageTest, EndMarkerMidStreamTakesOneByteAndReadingGoesOn) {
  CommercialPackage package;
  ASSERT_EQ(LoadBytes(package, CommercialBuilder()
                                   .Folder("zq:\\game\\A")
                                   .EndMarker()
                                   .Entry('9', "zq:\\game\\ODD")
                                   .File("zq:\\game\\A", "B.DAT", ToBytes("bee"))
                                   .Build()),
            archive_status::kOk);
  ASSERT_EQ(package.EntryCount(), 4u);
  EXPECT_EQ(package.Entry(1).kind, kEndMarker);
  EXPECT_EQ(package.Entry(2).kind, '9');  // read like a folder: a path alone
  EXPECT_EQ(package.Entry(2).path, "zq:\\game\\ODD");
  EXPECT_EQ(package.Entry(3).name, "B.DAT");
  EXPECT_EQ(package.Entry(3).data, ToBytes("bee"));
}

TEST_F(CommercialPackageTest, FullWidthNamesKeepEveryCharacter) {
  const std::string title80(80, 'T');
  CommercialPackage package;
  ASSERT_EQ(LoadBytes(package, CommercialBuilder()
                                   .Title(title80)
                                   .Zxe("ABCDEFGH.ZXE", {1})
                                   .Zxc("ABCDEFGH.ZXC", {2})
                                   .Build()),
            archive_status::kOk);
  EXPECT_EQ(package.Title(), title80);
  EXPECT_EQ(package.Program1().name, "ABCDEFGH.ZXE");
  EXPECT_EQ(package.Program2().name, "ABCDEFGH.ZXC");
  EXPECT_EQ(package.Program1().data, Bytes{1});
  EXPECT_EQ(package.EntryCount(), 0u);
}

TEST_F(CommercialPackageTest, LoadStatuses) {
  CommercialPackage package;
  EXPECT_EQ(package.Load(dir_ / "missing.zpk"), archive_status::kOpenFailed);
  EXPECT_EQ(LoadBytes(package, ToBytes("ZPK")), archive_status::kShortRead);
  EXPECT_EQ(LoadBytes(package, test::ArchiveBuilder::Package().Build()), archive_status::kBadMagic);
  EXPECT_EQ(LoadBytes(package, test::Cut(SampleGame().Build(), 300)), archive_status::kShortRead);
}

TEST_F(CommercialPackageTest, StreamThatDoesNotHoldItsEntriesFails) {
  CommercialPackage package;
  // More entries announced than the stream holds, plain and compressed.
  EXPECT_EQ(LoadBytes(package, SampleGame().EntryCount(5).Build()), archive_status::kShortRead);
  EXPECT_EQ(
      LoadBytes(package,
                SampleGame().EntryCount(0xFFFFFFFF).Coding(StreamCoding::kSzddLiteral).Build()),
      archive_status::kShortRead);
  // An SZDD stream cut short inside: the file itself is whole.
  const Bytes stream = test::SzddLiteral(SampleGame().PlainStream());
  EXPECT_EQ(LoadBytes(package, SampleGame().Stream(test::Cut(stream, stream.size() - 1)).Build()),
            archive_status::kShortRead);
  // A stream size beyond the end of the file.
  Bytes oversized = SampleGame().Build();
  oversized[8 + 361 + 3] = 0x7F;
  EXPECT_EQ(LoadBytes(package, oversized), archive_status::kShortRead);
}

TEST_F(CommercialPackageTest, BytesAfterTheStreamAreIgnored) {
  Bytes bytes = SampleGame().Build();
  bytes.insert(bytes.end(), {'x', 'y', 'z'});
  CommercialPackage package;
  ASSERT_EQ(LoadBytes(package, bytes), archive_status::kOk);
  ExpectSampleEntries(package);
}

}  // namespace
}  // namespace zq
