#include "operations/console_hints.h"

namespace zq {

std::string DeviceLabel(const UsbCandidate& device) {
  return "usb " + device.port + " (" + FormatUsbId(device.id) +
         (device.product.empty() ? "" : ", " + device.product) + ")";
}

std::string AdoptionHint(const UsbCandidate& device) {
  return DeviceLabel(device) + " could be the ZQ61: `zq61-cli usb --adopt " +
         FormatUsbId(device.id) + "` makes it the console\n";
}

std::string NoConsoleHints(const std::vector<UsbCandidate>& devices) {
  std::string text;
  for (const UsbCandidate& device : devices) {
    if (!device.listed) {
      text += AdoptionHint(device);
    } else if (device.access == UsbCandidate::Access::kNoPermission) {
      text += DeviceLabel(device) +
              " is a console this user may not open: `sudo zq61-cli usb --adopt " +
              FormatUsbId(device.id) + "` installs the udev rule that lets you\n";
    } else if (device.access == UsbCandidate::Access::kBusy) {
      text += DeviceLabel(device) + " is a console another program holds: close that program\n";
    }
  }
  return text;
}

}  // namespace zq
