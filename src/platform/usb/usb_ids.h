#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zq {

// A USB device's vendor and product ID.
struct UsbId {
  std::uint16_t vendor = 0;
  std::uint16_t product = 0;
  bool operator==(const UsbId&) const = default;
};

// zq61-emu's gadget (a test ID of an open registry's range); the udev rule
// res/udev/70-zq61.rules names the same ID.
inline constexpr UsbId kEmulatorGadgetId{0x1209, 0x0005};

// "vvvv:pppp" in lower-case hexadecimal.
std::string FormatUsbId(UsbId id);

// Parses "vvvv:pppp[,vvvv:pppp...]" (hexadecimal, 1 to 4 digits each, spaces
// around entries allowed). Entries of another form are left out and, when
// `rejected` is given, added to it as written.
std::vector<UsbId> ParseUsbIds(std::string_view text, std::vector<std::string>* rejected = nullptr);

// The IDs a console may have: the emulator's gadget, then those of
// ZQ61_USB_IDS, then those a person adopted (`ReadAdoptedUsbIds`).
std::vector<UsbId> ConsoleUsbIds(std::vector<std::string>* rejected = nullptr);

}  // namespace zq
