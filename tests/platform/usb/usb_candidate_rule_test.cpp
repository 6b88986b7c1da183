#include "platform/usb/usb_candidate_rule.h"

#include <gtest/gtest.h>

#include <vector>

namespace zq {
namespace {

constexpr std::uint8_t kBulk = LIBUSB_TRANSFER_TYPE_BULK;
constexpr std::uint8_t kInterrupt = LIBUSB_TRANSFER_TYPE_INTERRUPT;

struct Case {
  const char* what;
  std::uint8_t cls;
  std::vector<std::pair<std::uint8_t, std::uint8_t>> endpoints;  // address, type
  bool candidate;
};

TEST(UsbCandidateRule, VendorClassWithBulkInFirstAndBulkOutThird) {
  const Case cases[] = {
      {"the console's layout", 0xFF, {{0x81, kBulk}, {0x83, kInterrupt}, {0x02, kBulk}}, true},
      {"renumbered by the controller", 0xFF, {{0x82, kBulk}, {0x84, kBulk}, {0x01, kBulk}}, true},
      {"a two-endpoint bulk pair", 0xFF, {{0x81, kBulk}, {0x02, kBulk}}, false},
      {"a standard class", 0x08, {{0x81, kBulk}, {0x83, kInterrupt}, {0x02, kBulk}}, false},
      {"OUT first", 0xFF, {{0x02, kBulk}, {0x83, kInterrupt}, {0x81, kBulk}}, false},
      {"third not bulk", 0xFF, {{0x81, kBulk}, {0x02, kBulk}, {0x03, kInterrupt}}, false},
  };
  for (const Case& c : cases) {
    std::vector<libusb_endpoint_descriptor> endpoints;
    for (const auto& [address, type] : c.endpoints) {
      libusb_endpoint_descriptor e{};
      e.bEndpointAddress = address;
      e.bmAttributes = type;
      endpoints.push_back(e);
    }
    libusb_interface_descriptor setting{};
    setting.bInterfaceClass = c.cls;
    setting.bNumEndpoints = static_cast<std::uint8_t>(endpoints.size());
    setting.endpoint = endpoints.data();
    EXPECT_EQ(IsCandidateInterface(setting), c.candidate) << c.what;

    libusb_interface interface {};
    interface.altsetting = &setting;
    interface.num_altsetting = 1;
    libusb_config_descriptor config{};
    config.bNumInterfaces = 1;
    config.interface = &interface;
    EXPECT_EQ(FindCandidatePipes(config).has_value(), c.candidate) << c.what;
  }
}

}  // namespace
}  // namespace zq
