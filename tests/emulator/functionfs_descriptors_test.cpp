#include "emulator/functionfs_descriptors.h"

#include <gtest/gtest.h>

#include <vector>

namespace zq::emu {
namespace {

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t{b[at + 3]} << 24);
}

TEST(FunctionFsDescriptorsTest, TheConsolesLayoutAtFullAndHighSpeed) {
  const auto d = FunctionFsDescriptors();
  ASSERT_EQ(d.size(), 20u + 2 * (9 + 3 * 7));
  EXPECT_EQ(Le32(d, 0), 3u);        // descriptors, second format
  EXPECT_EQ(Le32(d, 4), d.size());  // length
  EXPECT_EQ(Le32(d, 8), 1u | 2u);   // full and high speed
  EXPECT_EQ(Le32(d, 12), 4u);       // full-speed count
  EXPECT_EQ(Le32(d, 16), 4u);       // high-speed count
  const std::vector<std::uint8_t> interface = {9, 4, 0, 0, 3, 0xFF, 0, 0, 1};
  for (const auto& [at, maxPacket] : {std::pair{20u, 64u}, std::pair{50u, 512u}}) {
    EXPECT_EQ(std::vector<std::uint8_t>(d.begin() + at, d.begin() + at + 9), interface);
    // PIPE00 a bulk IN, then the console's own OUT, then PIPE02 a bulk OUT.
    std::size_t e = at + 9;
    for (const std::uint8_t address : {0x81, 0x02, 0x03}) {
      const std::vector<std::uint8_t> endpoint = {7,
                                                  5,
                                                  address,
                                                  2,
                                                  static_cast<std::uint8_t>(maxPacket),
                                                  static_cast<std::uint8_t>(maxPacket >> 8),
                                                  0};
      EXPECT_EQ(std::vector<std::uint8_t>(d.begin() + e, d.begin() + e + 7), endpoint) << at;
      e += 7;
    }
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
