#include "platform/usb_device_match.h"

namespace zq {
namespace {

constexpr std::uint8_t kVendorClass = 0xFF;

bool IsBulk(const libusb_endpoint_descriptor& endpoint) {
  return (endpoint.bmAttributes & LIBUSB_TRANSFER_TYPE_MASK) == LIBUSB_TRANSFER_TYPE_BULK;
}

}  // namespace

std::optional<ConsolePipes> FindConsolePipes(const libusb_config_descriptor& config,
                                             bool vendorClassOnly) {
  if (config.interface == nullptr) {
    return std::nullopt;
  }
  for (int i = 0; i < config.bNumInterfaces; ++i) {
    const libusb_interface& interface = config.interface[i];
    if (interface.num_altsetting < 1 || interface.altsetting == nullptr) {
      continue;
    }
    const libusb_interface_descriptor& setting = interface.altsetting[0];
    if (vendorClassOnly && setting.bInterfaceClass != kVendorClass) {
      continue;
    }
    std::optional<std::uint8_t> in;
    std::optional<std::uint8_t> out;
    ConsolePipes pipes;
    pipes.interfaceNumber = setting.bInterfaceNumber;
    for (int e = 0; setting.endpoint != nullptr && e < setting.bNumEndpoints; ++e) {
      const libusb_endpoint_descriptor& endpoint = setting.endpoint[e];
      if (!IsBulk(endpoint)) {
        continue;
      }
      const bool isIn =
          (endpoint.bEndpointAddress & LIBUSB_ENDPOINT_DIR_MASK) == LIBUSB_ENDPOINT_IN;
      if (isIn && !in) {
        in = endpoint.bEndpointAddress;
        pipes.inMaxPacket = endpoint.wMaxPacketSize;
      } else if (!isIn && !out) {
        out = endpoint.bEndpointAddress;
        pipes.outMaxPacket = endpoint.wMaxPacketSize;
      }
    }
    if (in && out) {
      pipes.inAddress = *in;
      pipes.outAddress = *out;
      return pipes;
    }
  }
  return std::nullopt;
}

std::string UsbPortPath(std::uint8_t bus, std::span<const std::uint8_t> ports) {
  if (ports.empty()) {
    return "usb" + std::to_string(bus);
  }
  std::string path = std::to_string(bus) + "-";
  for (std::size_t i = 0; i < ports.size(); ++i) {
    path += (i == 0 ? "" : ".") + std::to_string(ports[i]);
  }
  return path;
}

std::string UsbDeviceName(std::uint8_t bus, std::span<const std::uint8_t> ports, UsbId id) {
  return "usb " + UsbPortPath(bus, ports) + " (" + FormatUsbId(id) + ")";
}

}  // namespace zq
