#include "emulator/functionfs_descriptors.h"

#include <gtest/gtest.h>

#include <vector>

namespace zq::emu {
namespace {

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t{b[at + 3]} << 24);
}

TEST(FunctionFsDescriptorsTest, FullAndHighSpeedBulkPairOnOneVendorInterface) {
  const auto d = FunctionFsDescriptors();
  ASSERT_EQ(d.size(), 20u + 2 * (9 + 7 + 7));
  EXPECT_EQ(Le32(d, 0), 3u);        // descriptors, second format
  EXPECT_EQ(Le32(d, 4), d.size());  // length
  EXPECT_EQ(Le32(d, 8), 1u | 2u);   // full and high speed
  EXPECT_EQ(Le32(d, 12), 3u);       // full-speed count
  EXPECT_EQ(Le32(d, 16), 3u);       // high-speed count
  const std::vector<std::uint8_t> interface = {9, 4, 0, 0, 2, 0xFF, 0, 0, 1};
  for (const auto& [at, maxPacket] : {std::pair{20u, 64u}, std::pair{43u, 512u}}) {
    EXPECT_EQ(std::vector<std::uint8_t>(d.begin() + at, d.begin() + at + 9), interface);
    const std::vector<std::uint8_t> out = {7,
                                           5,
                                           0x01,
                                           2,
                                           static_cast<std::uint8_t>(maxPacket),
                                           static_cast<std::uint8_t>(maxPacket >> 8),
                                           0};
    const std::vector<std::uint8_t> in = {7,
                                          5,
                                          0x82,
                                          2,
                                          static_cast<std::uint8_t>(maxPacket),
                                          static_cast<std::uint8_t>(maxPacket >> 8),
                                          0};
    EXPECT_EQ(std::vector<std::uint8_t>(d.begin() + at + 9, d.begin() + at + 16), out) << at;
    EXPECT_EQ(std::vector<std::uint8_t>(d.begin() + at + 16, d.begin() + at + 23), in) << at;
  }
}

TEST(FunctionFsDescriptorsTest, StringsNameTheInterfaceInUsEnglish) {
  const auto s = FunctionFsStrings();
  const std::string name = "ZQ61 PC-Link";
  ASSERT_EQ(s.size(), 16u + 2 + name.size() + 1);
  EXPECT_EQ(Le32(s, 0), 2u);
  EXPECT_EQ(Le32(s, 4), s.size());
  EXPECT_EQ(Le32(s, 8), 1u);
  EXPECT_EQ(Le32(s, 12), 1u);
  EXPECT_EQ(s[16], 0x09);
  EXPECT_EQ(s[17], 0x04);
  EXPECT_EQ(std::string(s.begin() + 18, s.end()), name + '\0');
}

}  // namespace
}  // namespace zq::emu
