#include "platform/lz_expand.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "support/package_builder.h"

namespace zq {
namespace {

using test::Bytes;
using test::ToBytes;

// Text with many repeats, so that a compressor uses back references.
Bytes RepetitiveSample(int lines = 400) {
  std::string text;
  for (int i = 0; i < lines; ++i) {
    text += "zq:\\game\\DATA\\LEVEL" + std::to_string(i % 17) + ".DAT ";
  }
  return ToBytes(text);
}

void SetAnnouncedLength(Bytes& szdd, std::uint32_t length) {
  for (int i = 0; i < 4; ++i) {
    szdd[10 + i] = static_cast<std::uint8_t>(length >> (8 * i));
  }
}

TEST(LzExpandTest, DataThatIsNotSzddPassesThroughUnchanged) {
  for (const Bytes& plain : {Bytes{}, ToBytes(std::string_view("0\x05zq:\\", 7)),
                             ToBytes("SZDD plain text"), ToBytes("SZDD\x88\xF0\x27")}) {
    const auto expanded = LzExpand(plain);
    ASSERT_TRUE(expanded.has_value());
    EXPECT_EQ(*expanded, plain);
  }
}

TEST(LzExpandTest, ExpandsLiteralStreamsOfEveryGroupLength) {
  for (std::size_t size : {0u, 1u, 7u, 8u, 9u, 300u}) {
    Bytes data(size);
    for (std::size_t i = 0; i < size; ++i) {
      data[i] = static_cast<std::uint8_t>(i * 7 + 3);
    }
    const auto expanded = LzExpand(test::SzddLiteral(data));
    ASSERT_TRUE(expanded.has_value()) << size;
    EXPECT_EQ(*expanded, data) << size;
  }
}

TEST(LzExpandTest, ExpandsWhatTheCompressToolWrote) {
  if (!test::HasMsCompress()) {
    GTEST_SKIP() << "mscompress is not installed";
  }
  const Bytes plain = RepetitiveSample();
  const auto packed = test::MsCompress(plain);
  ASSERT_TRUE(packed.has_value());
  ASSERT_TRUE(IsSzdd(*packed));
  ASSERT_LT(packed->size(), plain.size() / 2) << "the sample should use back references";
  const auto expanded = LzExpand(*packed);
  ASSERT_TRUE(expanded.has_value());
  EXPECT_EQ(*expanded, plain);
}

TEST(LzExpandTest, StreamCutShortFails) {
  if (!test::HasMsCompress()) {
    GTEST_SKIP() << "mscompress is not installed";
  }
  const auto packed = test::MsCompress(RepetitiveSample(60));
  ASSERT_TRUE(packed.has_value());
  // From the complete signature on, every cut is an SZDD stream that ends early.
  for (std::size_t size = 8; size < packed->size(); ++size) {
    EXPECT_FALSE(LzExpand(test::Cut(*packed, size)).has_value()) << size;
  }
}

TEST(LzExpandTest, AnnouncedLengthDecidesTheOutput) {
  const Bytes data = ToBytes("0123456789abcdef");
  Bytes longer = test::SzddLiteral(data);
  SetAnnouncedLength(longer, 17);
  EXPECT_FALSE(LzExpand(longer).has_value());

  Bytes huge = test::SzddLiteral(data);
  SetAnnouncedLength(huge, 0xFFFFFFFF);
  EXPECT_FALSE(LzExpand(huge).has_value());

  Bytes shorter = test::SzddLiteral(data);
  SetAnnouncedLength(shorter, 10);
  const auto expanded = LzExpand(shorter);
  ASSERT_TRUE(expanded.has_value());
  EXPECT_EQ(*expanded, test::Cut(data, 10));
}

TEST(LzExpandTest, RandomBytesAfterTheHeaderNeverOverrunTheAnnouncedLength) {
  std::mt19937 random(61);
  for (int round = 0; round < 300; ++round) {
    Bytes stream = test::SzddLiteral({});
    const std::uint32_t announced = random() % 5000;
    SetAnnouncedLength(stream, announced);
    const std::size_t size = random() % 700;
    for (std::size_t i = 0; i < size; ++i) {
      stream.push_back(static_cast<std::uint8_t>(random()));
    }
    const auto expanded = LzExpand(stream);
    if (expanded) {
      EXPECT_EQ(expanded->size(), announced);
    }
  }
}

}  // namespace
}  // namespace zq

namespace zq {
namespace {

// The densest streams the format allows expand whole: the bound on what a
// stream can give must never refuse a real one.
TEST(LzExpandLimitTest, DensestStreamsExpandWhole) {
  for (const std::size_t count : {1u, 2u, 3u, 19u, 20u, 127u, 128u, 145u, 4096u, 100000u}) {
    const test::Bytes stream = test::SzddRepeated('2', count);
    const auto expanded = LzExpand(stream);
    ASSERT_TRUE(expanded) << count;
    EXPECT_EQ(expanded->size(), count);
    EXPECT_TRUE(std::all_of(expanded->begin(), expanded->end(), [](auto b) { return b == '2'; }));
    EXPECT_LE(count, SzddExpansionLimit(stream.size())) << count;
  }
}

// An announced length is refused before anything is allocated for it when it
// passes the caller's limit or what the stream's bytes can expand to.
TEST(LzExpandLimitTest, AnnouncedLengthsPastALimitFail) {
  struct Case {
    const char* what;
    test::Bytes stream;
    std::size_t limit;
    bool expands;
  };
  const std::size_t most = SzddExpansionLimit(test::SzddRepeated('2', 1000).size());
  const Case cases[] = {
      {"at the caller's limit", test::SzddRepeated('2', 1000), 1000, true},
      {"one past the caller's limit", test::SzddRepeated('2', 1000), 999, false},
      {"past what the bytes give", test::SzddRepeated('2', 1000, std::uint32_t(most + 1)), SIZE_MAX,
       false},
      {"4 GiB from a few bytes", test::SzddRepeated('2', 10, 0xFFFFFFFF), SIZE_MAX, false},
      {"a header alone announcing a byte", test::SzddLiteral(test::Bytes{'x'}), SIZE_MAX, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LzExpand(c.stream, c.limit).has_value(), c.expands) << c.what;
  }
  EXPECT_EQ(SzddExpansionLimit(0), 0u);
  EXPECT_EQ(SzddExpansionLimit(14), 0u);
  EXPECT_EQ(SzddExpansionLimit(15), 144u);
  EXPECT_EQ(SzddExpansionLimit(14 + 17), 144u);
  EXPECT_EQ(SzddExpansionLimit(14 + 18), 288u);
}

}  // namespace
}  // namespace zq
