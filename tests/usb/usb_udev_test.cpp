// Where udev runs, as on a desktop: libusb's hot-plug notice reaches the
// programs, and a console adopted as root gets a rule that udev loads and
// applies to the device at once.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

#include "cli/cli_process.h"
#include "platform/usb/usb_hotplug_notice.h"
#include "usb/usb_environment.h"
#include "usb/usb_gadget.h"

namespace zq::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

template <typename Done>
bool WaitUntil(Done done, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done() && std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_for(20ms);
  }
  return done();
}

TEST(UsbUdevTest, TheHotPlugNoticeComesAndAnAdoptedRuleIsAppliedAtOnce) {
  RunningUdev udev;
  if (!udev.Ready()) {
    GTEST_SKIP() << "no udevd here (scripts/setup installs it)";
  }
  OwnConfig own;
  ::setenv("ZQ61_UDEV_RULES_DIR", "/run/udev/rules.d", 1);
  fs::create_directories("/run/udev/rules.d");
  std::atomic<int> notices{0};
  UsbHotplugNotice notice([&] { ++notices; });
  ASSERT_TRUE(notice.Listens());

  UsbGadget gadget({}, kUnlistedId);
  ASSERT_TRUE(gadget.Ready());
  const auto appeared = std::chrono::steady_clock::now();
  EXPECT_TRUE(WaitUntil([&] { return notices.load() > 0; }, 5s));
  std::printf("[ USB      ] hot-plug notice %lld ms after the device node appeared\n",
              static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                         std::chrono::steady_clock::now() - appeared)
                                         .count()));

  const std::string node = gadget.DeviceNode();
  const std::string tags = "udevadm info --query=property --name=" + node + " | grep ^TAGS=";
  EXPECT_EQ(CommandOutput(tags).find("uaccess"), std::string::npos);
  const CliRun adopt = RunCli({"usb", "--adopt", FormatUsbId(kUnlistedId)}, own.noDevices);
  EXPECT_EQ(adopt.exitStatus, 0) << adopt.err;
  EXPECT_NE(adopt.out.find("udev's rules reloaded"), std::string::npos) << adopt.out;
  std::system("udevadm settle --timeout=10");
  EXPECT_NE(CommandOutput(tags).find("uaccess"), std::string::npos) << CommandOutput(tags);

  const CliRun forget = RunCli({"usb", "--forget", FormatUsbId(kUnlistedId)}, own.noDevices);
  EXPECT_NE(forget.out.find("udev's rules reloaded"), std::string::npos) << forget.out;
}

}  // namespace
}  // namespace zq::test
