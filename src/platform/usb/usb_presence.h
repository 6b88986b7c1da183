#pragma once

#include <filesystem>
#include <vector>

#include "platform/usb/usb_ids.h"

namespace zq {

// The IDs of the USB devices the kernel lists in `devices` (sysfs:
// /sys/bus/usb/devices), read from their idVendor and idProduct files. No
// device is opened, so this needs no permission and costs a few small reads.
std::vector<UsbId> PresentUsbIds(const std::filesystem::path& devices = "/sys/bus/usb/devices");

// Whether a device with a console ID (`ConsoleUsbIds()`) is plugged in.
bool UsbConsolePresent();

}  // namespace zq
