#include "platform/usb/usb_device_match.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace zq {
namespace {

struct Ep {
  std::uint8_t address;
  std::uint8_t type;  // LIBUSB_TRANSFER_TYPE_*
  std::uint16_t maxPacket = 512;
};

struct Iface {
  std::uint8_t cls;
  std::vector<Ep> endpoints;
  std::vector<Ep> secondSetting = {};
};

// A configuration descriptor as libusb hands it out, built from the rows.
class Config {
 public:
  explicit Config(const std::vector<Iface>& interfaces) {
    endpoints_.reserve(interfaces.size() * 2);
    settings_.reserve(interfaces.size() * 2);
    for (std::size_t i = 0; i < interfaces.size(); ++i) {
      const std::size_t first = settings_.size();
      AddSetting(static_cast<std::uint8_t>(i), interfaces[i].cls, interfaces[i].endpoints);
      int count = 1;
      if (!interfaces[i].secondSetting.empty()) {
        AddSetting(static_cast<std::uint8_t>(i), interfaces[i].cls, interfaces[i].secondSetting);
        count = 2;
      }
      libusb_interface interface {};
      interface.num_altsetting = count;
      interfaces_.push_back(interface);
      firsts_.push_back(first);
    }
    for (std::size_t i = 0; i < interfaces_.size(); ++i) {
      interfaces_[i].altsetting = &settings_[firsts_[i]];
    }
    config_.bNumInterfaces = static_cast<std::uint8_t>(interfaces_.size());
    config_.interface = interfaces_.data();
  }
  const libusb_config_descriptor& Get() const { return config_; }

 private:
  void AddSetting(std::uint8_t number, std::uint8_t cls, const std::vector<Ep>& endpoints) {
    auto& list = endpoints_.emplace_back();
    for (const Ep& e : endpoints) {
      libusb_endpoint_descriptor d{};
      d.bEndpointAddress = e.address;
      d.bmAttributes = e.type;
      d.wMaxPacketSize = e.maxPacket;
      list.push_back(d);
    }
    libusb_interface_descriptor s{};
    s.bInterfaceNumber = number;
    s.bInterfaceClass = cls;
    s.bNumEndpoints = static_cast<std::uint8_t>(list.size());
    s.endpoint = list.data();
    settings_.push_back(s);
  }

  std::vector<std::vector<libusb_endpoint_descriptor>> endpoints_;
  std::vector<libusb_interface_descriptor> settings_;
  std::vector<std::size_t> firsts_;
  std::vector<libusb_interface> interfaces_;
  libusb_config_descriptor config_{};
};

constexpr std::uint8_t kBulk = LIBUSB_TRANSFER_TYPE_BULK;
constexpr std::uint8_t kInterrupt = LIBUSB_TRANSFER_TYPE_INTERRUPT;
constexpr std::uint8_t kVendor = 0xFF;
constexpr std::uint8_t kStorage = 0x08;

struct MatchCase {
  const char* what;
  std::vector<Iface> interfaces;
  bool vendorOnly;
  std::optional<ConsolePipes> expected;
};

ConsolePipes Pipes(std::uint8_t number, std::uint8_t in, std::uint8_t out,
                   std::uint16_t inMax = 512, std::uint16_t outMax = 512) {
  return {number, in, out, inMax, outMax};
}

TEST(UsbDeviceMatchTest, PipesAreTakenByTheDriversPositions) {
  const std::vector<MatchCase> cases = {
      {"the gadget as the host sees it: renumbered",
       {{kVendor, {{0x02, kBulk}, {0x81, kBulk}}}},
       true,
       Pipes(0, 0x81, 0x02)},
      {"full speed packets",
       {{kVendor, {{0x01, kBulk, 64}, {0x82, kBulk, 64}}}},
       false,
       Pipes(0, 0x82, 0x01, 64, 64)},
      {"an interface with interrupt endpoints only comes first",
       {{kVendor, {{0x83, kInterrupt}}}, {kVendor, {{0x84, kBulk}, {0x05, kBulk}}}},
       false,
       Pipes(1, 0x84, 0x05)},
      {"bulk IN alone is not enough",
       {{kVendor, {{0x81, kBulk}, {0x82, kBulk}}}},
       false,
       std::nullopt},
      {"interrupt pair is not bulk",
       {{kVendor, {{0x81, kInterrupt}, {0x02, kInterrupt}}}},
       false,
       std::nullopt},
      {"[IN, IN, OUT]: the second IN belongs to the console",
       {{kVendor, {{0x81, kBulk}, {0x83, kBulk}, {0x02, kBulk}}}},
       false,
       Pipes(0, 0x81, 0x02)},
      {"[IN, OUT, OUT]: PIPE02 is the third endpoint, not the first OUT",
       {{kVendor, {{0x81, kBulk}, {0x02, kBulk}, {0x03, kBulk}}}},
       false,
       Pipes(0, 0x81, 0x03)},
      {"[OUT, IN, OUT]: PIPE00 would be host to console",
       {{kVendor, {{0x01, kBulk}, {0x82, kBulk}, {0x03, kBulk}}}},
       false,
       std::nullopt},
      {"[IN, interrupt, OUT]: the second endpoint may be of any kind",
       {{kVendor, {{0x81, kBulk}, {0x82, kInterrupt}, {0x03, kBulk}}}},
       false,
       Pipes(0, 0x81, 0x03)},
      {"[interrupt, IN, OUT]: PIPE00 is not bulk",
       {{kVendor, {{0x83, kInterrupt}, {0x81, kBulk}, {0x02, kBulk}}}},
       false,
       std::nullopt},
      {"[IN, OUT, interrupt]: PIPE02 is not bulk",
       {{kVendor, {{0x81, kBulk}, {0x02, kBulk}, {0x03, kInterrupt}}}},
       false,
       std::nullopt},
      {"[OUT, OUT]: no IN", {{kVendor, {{0x01, kBulk}, {0x02, kBulk}}}}, false, std::nullopt},
      {"[IN, interrupt OUT]: two endpoints pair only when both are bulk",
       {{kVendor, {{0x81, kBulk}, {0x02, kInterrupt}}}},
       false,
       std::nullopt},
      {"a standard class serves a listed ID",
       {{kStorage, {{0x81, kBulk}, {0x02, kBulk}}}},
       false,
       Pipes(0, 0x81, 0x02)},
      {"but is no candidate of its own",
       {{kStorage, {{0x81, kBulk}, {0x02, kBulk}}}},
       true,
       std::nullopt},
      {"only the first setting counts",
       {{kVendor, {}, {{0x81, kBulk}, {0x02, kBulk}}}},
       false,
       std::nullopt},
      {"no interface at all", {}, false, std::nullopt},
  };
  for (const MatchCase& c : cases) {
    const Config config(c.interfaces);
    const auto found = FindConsolePipes(config.Get(), c.vendorOnly);
    ASSERT_EQ(found.has_value(), c.expected.has_value()) << c.what;
    if (found) {
      EXPECT_EQ(found->interfaceNumber, c.expected->interfaceNumber) << c.what;
      EXPECT_EQ(found->inAddress, c.expected->inAddress) << c.what;
      EXPECT_EQ(found->outAddress, c.expected->outAddress) << c.what;
      EXPECT_EQ(found->inMaxPacket, c.expected->inMaxPacket) << c.what;
      EXPECT_EQ(found->outMaxPacket, c.expected->outMaxPacket) << c.what;
    }
  }
}

TEST(UsbDeviceMatchTest, TheDiagnosticLineNamesTheChosenEndpoints) {
  EXPECT_EQ(DescribeConsolePipes(Pipes(1, 0x81, 0x03)),
            "Interface 1: PIPE00 is endpoint 0x81, PIPE02 is endpoint 0x03\n");
}

TEST(UsbDeviceMatchTest, DevicesAreNamedByBusPortPathAndId) {
  const std::uint8_t deep[] = {1, 4, 2};
  const std::uint8_t one[] = {3};
  EXPECT_EQ(UsbPortPath(1, deep), "1-1.4.2");
  EXPECT_EQ(UsbPortPath(2, one), "2-3");
  EXPECT_EQ(UsbPortPath(5, {}), "usb5");
  EXPECT_EQ(UsbDeviceName(1, one, {0x1209, 0x0005}), "usb 1-3 (1209:0005)");
}

}  // namespace
}  // namespace zq
