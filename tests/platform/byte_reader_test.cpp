#include "platform/byte_reader.h"

#include <gtest/gtest.h>

#include "support/package_builder.h"
#include "support/temp_dir.h"

namespace zq {
namespace {

TEST(ByteReaderTest, ReadsLittleEndianFieldsAndTexts) {
  const std::vector<std::uint8_t> bytes = {0x12, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12,
                                           'A',  'B',  0,    'C',  'D',  'E'};
  MemoryByteReader in(bytes);
  std::uint8_t u8 = 0;
  std::uint16_t u16 = 0;
  std::uint32_t u32 = 0;
  std::string padded;
  std::string full;
  ASSERT_TRUE(in.ReadU8(u8) && in.ReadU16(u16) && in.ReadU32(u32));
  ASSERT_TRUE(in.ReadText(4, padded) && in.ReadText(2, full));
  EXPECT_EQ(u8, 0x12);
  EXPECT_EQ(u16, 0x1234);
  EXPECT_EQ(u32, 0x12345678u);
  EXPECT_EQ(padded, "AB");  // up to the NUL
  EXPECT_EQ(full, "DE");    // no NUL: every stored byte
  EXPECT_EQ(in.Remaining(), 0u);
}

TEST(ByteReaderTest, ShortReadsFailAndLeaveTheOutputAlone) {
  const std::vector<std::uint8_t> bytes = {1, 2, 3};
  MemoryByteReader in(bytes);
  std::uint32_t u32 = 99;
  std::vector<std::uint8_t> out = {7};
  EXPECT_FALSE(in.ReadU32(u32));
  EXPECT_EQ(u32, 99u);
  EXPECT_FALSE(in.ReadBytes(0xFFFFFFFFFFull, out));
  EXPECT_EQ(out, std::vector<std::uint8_t>{7});
  EXPECT_EQ(in.Remaining(), 3u);
  EXPECT_TRUE(in.ReadBytes(3, out));
  EXPECT_EQ(out, bytes);
}

TEST(ByteReaderTest, FileReaderIsBoundedByTheFileSize) {
  test::TempDir dir("zq-bytes");
  test::WriteBytes(dir / "f.bin", std::vector<std::uint8_t>{1, 0, 0, 0, 5});
  FileByteReader in;
  EXPECT_FALSE(in.Open(dir / "missing.bin"));
  EXPECT_FALSE(in.Open(dir.Path()));  // a folder is not a readable file
  ASSERT_TRUE(in.Open(dir / "f.bin"));
  std::uint32_t u32 = 0;
  std::vector<std::uint8_t> rest;
  ASSERT_TRUE(in.ReadU32(u32));
  EXPECT_EQ(u32, 1u);
  EXPECT_FALSE(in.ReadBytes(2, rest));
  EXPECT_TRUE(in.ReadBytes(1, rest));
  EXPECT_EQ(rest, std::vector<std::uint8_t>{5});
}

}  // namespace
}  // namespace zq
