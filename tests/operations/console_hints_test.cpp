#include "operations/console_hints.h"

#include <gtest/gtest.h>

namespace zq {
namespace {

UsbCandidate Device(UsbId id, bool listed, UsbCandidate::Access access) {
  UsbCandidate device;
  device.port = "1-1.2";
  device.id = id;
  device.product = "Handheld";
  device.listed = listed;
  device.access = access;
  return device;
}

TEST(ConsoleHints, OneLinePerDeviceThatNeedsSomethingDone) {
  using Access = UsbCandidate::Access;
  EXPECT_EQ(NoConsoleHints({Device({0x1209, 5}, true, Access::kOpens)}), "");
  EXPECT_EQ(NoConsoleHints({Device({0x1234, 0xabcd}, false, Access::kOpens),
                            Device({0x1209, 5}, true, Access::kNoPermission),
                            Device({0x1209, 5}, true, Access::kBusy)}),
            "usb 1-1.2 (1234:abcd, Handheld) could be the ZQ61: `zq61-cli usb --adopt 1234:abcd` "
            "makes it the console\n"
            "usb 1-1.2 (1209:0005, Handheld) is a console this user may not open: `sudo zq61-cli "
            "usb --adopt 1209:0005` installs the udev rule that lets you\n"
            "usb 1-1.2 (1209:0005, Handheld) is a console another program holds: close that "
            "program\n");
}

}  // namespace
}  // namespace zq
