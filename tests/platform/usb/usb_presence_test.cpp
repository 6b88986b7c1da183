#include "platform/usb/usb_presence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "support/temp_dir.h"

namespace zq {
namespace {

TEST(UsbPresence, TheIdsOfTheDevicesTheKernelListsInterfacesAndHubsAside) {
  test::TempDir sysfs("zq-sysfs");
  const auto device = [&](const std::string& name, const char* vendor, const char* product) {
    std::filesystem::create_directories(sysfs / name);
    if (vendor != nullptr) {
      std::ofstream(sysfs / name / "idVendor") << vendor << "\n";
      std::ofstream(sysfs / name / "idProduct") << product << "\n";
    }
  };
  device("1-1", "1209", "0005");
  device("1-1:1.0", nullptr, nullptr);  // an interface: no IDs of its own
  device("2-3", "abcd", "zz");          // unreadable: left out
  device("usb2", "1d6b", "0002");
  auto ids = PresentUsbIds(sysfs.Path());
  std::sort(ids.begin(), ids.end(),
            [](UsbId a, UsbId b) { return FormatUsbId(a) < FormatUsbId(b); });
  EXPECT_EQ(ids, (std::vector<UsbId>{{0x1209, 0x0005}, {0x1d6b, 0x0002}}));
  EXPECT_TRUE(PresentUsbIds(sysfs / "missing").empty());
}

}  // namespace
}  // namespace zq
