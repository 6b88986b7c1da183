#include "platform/usb/usb_device_match.h"

#include <cstdio>

namespace zq {
namespace {

constexpr std::uint8_t kVendorClass = 0xFF;

bool IsBulk(const libusb_endpoint_descriptor& endpoint) {
  return (endpoint.bmAttributes & LIBUSB_TRANSFER_TYPE_MASK) == LIBUSB_TRANSFER_TYPE_BULK;
}

bool IsIn(const libusb_endpoint_descriptor& endpoint) {
  return (endpoint.bEndpointAddress & LIBUSB_ENDPOINT_DIR_MASK) == LIBUSB_ENDPOINT_IN;
}

}  // namespace

std::optional<ConsolePipes> ConsolePipesOf(const libusb_interface_descriptor& setting) {
  if (setting.endpoint == nullptr || setting.bNumEndpoints < 2) {
    return std::nullopt;
  }
  const libusb_endpoint_descriptor* in = nullptr;
  const libusb_endpoint_descriptor* out = nullptr;
  if (setting.bNumEndpoints >= 3) {
    in = &setting.endpoint[0];
    out = &setting.endpoint[2];
  } else {
    in = &setting.endpoint[IsIn(setting.endpoint[0]) ? 0 : 1];
    out = &setting.endpoint[IsIn(setting.endpoint[0]) ? 1 : 0];
  }
  if (!IsBulk(*in) || !IsBulk(*out) || !IsIn(*in) || IsIn(*out)) {
    return std::nullopt;
  }
  ConsolePipes pipes;
  pipes.interfaceNumber = setting.bInterfaceNumber;
  pipes.inAddress = in->bEndpointAddress;
  pipes.outAddress = out->bEndpointAddress;
  pipes.inMaxPacket = in->wMaxPacketSize;
  pipes.outMaxPacket = out->wMaxPacketSize;
  return pipes;
}

bool HasConsoleShape(const libusb_interface_descriptor& setting) {
  return ConsolePipesOf(setting).has_value();
}

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
    if (auto pipes = ConsolePipesOf(setting)) {
      return pipes;
    }
  }
  return std::nullopt;
}

std::string DescribeConsolePipes(const ConsolePipes& pipes) {
  char line[80];
  std::snprintf(line, sizeof line,
                "Interface %u: PIPE00 is endpoint 0x%02X, PIPE02 is endpoint 0x%02X\n",
                static_cast<unsigned>(pipes.interfaceNumber),
                static_cast<unsigned>(pipes.inAddress), static_cast<unsigned>(pipes.outAddress));
  return line;
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
