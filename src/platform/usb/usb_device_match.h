#pragma once

#include <libusb.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/usb/usb_ids.h"

namespace zq {

// The console's two pipes on one interface: "PIPE00" is its bulk IN
// endpoint, "PIPE02" its bulk OUT endpoint. The addresses are those the
// host sees; a device controller may renumber what the device declared, so
// they always come from the descriptors.
struct ConsolePipes {
  std::uint8_t interfaceNumber = 0;
  std::uint8_t inAddress = 0;
  std::uint8_t outAddress = 0;
  std::uint16_t inMaxPacket = 0;
  std::uint16_t outMaxPacket = 0;
};

// The console's pipes on one interface setting, by the positions its driver
// names them after: with three or more endpoints, "PIPE00" is the first
// endpoint and must be a bulk IN, "PIPE02" the third and must be a bulk OUT
// (the second belongs to the console alone). An interface with exactly two
// endpoints, both bulk, one IN and one OUT, is paired IN with OUT (devices
// added by ID that are built that way). Anything else is no console's.
std::optional<ConsolePipes> ConsolePipesOf(const libusb_interface_descriptor& setting);
bool HasConsoleShape(const libusb_interface_descriptor& setting);

// The first interface of `config` whose first alternate setting has the
// console's shape. With `vendorClassOnly`, interfaces of a standard class
// (mass storage, printer, ...) are passed over.
std::optional<ConsolePipes> FindConsolePipes(const libusb_config_descriptor& config,
                                             bool vendorClassOnly);

// The diagnostic line naming the endpoints chosen:
// "Interface 0: PIPE00 is endpoint 0x81, PIPE02 is endpoint 0x02\n".
std::string DescribeConsolePipes(const ConsolePipes& pipes);

// The kernel's name of a USB device: bus number, '-', port numbers joined by
// '.' ("1-1.2"); for a root hub, "usb1".
std::string UsbPortPath(std::uint8_t bus, std::span<const std::uint8_t> ports);

// The device's name in the diagnostic lines: "usb 1-1.2 (1209:0005)".
std::string UsbDeviceName(std::uint8_t bus, std::span<const std::uint8_t> ports, UsbId id);

}  // namespace zq
