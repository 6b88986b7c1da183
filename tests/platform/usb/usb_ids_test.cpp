#include "platform/usb/usb_ids.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>
#include <vector>

namespace zq {
namespace {

struct IdCase {
  const char* text;
  std::vector<UsbId> ids;
  std::vector<std::string> rejected;
};

TEST(UsbIdsTest, ParsesVendorProductListsAndNamesWhatItLeavesOut) {
  const std::vector<IdCase> cases = {
      {"1234:abcd", {{0x1234, 0xabcd}}, {}},
      {" 1234:ABCD , 1:2 ", {{0x1234, 0xabcd}, {0x0001, 0x0002}}, {}},
      {"1234:abcd,1234:ABCD", {{0x1234, 0xabcd}}, {}},  // once each
      {",,", {}, {}},
      {"12345:0001", {}, {"12345:0001"}},
      {"1234", {}, {"1234"}},
      {"1234:", {}, {"1234:"}},
      {"xyz:0001,0e8d:2000", {{0x0e8d, 0x2000}}, {"xyz:0001"}},
      {"12:34:56", {}, {"12:34:56"}},
      {"-1:2", {}, {"-1:2"}},
  };
  for (const IdCase& c : cases) {
    std::vector<std::string> rejected;
    EXPECT_EQ(ParseUsbIds(c.text, &rejected), c.ids) << c.text;
    EXPECT_EQ(rejected, c.rejected) << c.text;
  }
}

TEST(UsbIdsTest, TheEmulatorGadgetComesFirstThenTheUsersIds) {
  ::setenv("ZQ61_USB_IDS", "1209:0005,04b4:00f1,bad", 1);
  std::vector<std::string> rejected;
  EXPECT_EQ(ConsoleUsbIds(&rejected), (std::vector<UsbId>{kEmulatorGadgetId, {0x04b4, 0x00f1}}));
  EXPECT_EQ(rejected, std::vector<std::string>{"bad"});
  ::unsetenv("ZQ61_USB_IDS");
  EXPECT_EQ(ConsoleUsbIds(), std::vector<UsbId>{kEmulatorGadgetId});
  EXPECT_EQ(FormatUsbId({0x1209, 0x5}), "1209:0005");
}

}  // namespace
}  // namespace zq
