#include "platform/usb/usb_candidate_rule.h"

namespace zq {

bool IsCandidateInterface(const libusb_interface_descriptor& setting) {
  return setting.bInterfaceClass == LIBUSB_CLASS_VENDOR_SPEC && setting.bNumEndpoints >= 3 &&
         HasConsoleShape(setting);
}

std::optional<ConsolePipes> FindCandidatePipes(const libusb_config_descriptor& config) {
  if (config.interface == nullptr) {
    return std::nullopt;
  }
  for (int i = 0; i < config.bNumInterfaces; ++i) {
    const libusb_interface& interface = config.interface[i];
    if (interface.num_altsetting >= 1 && interface.altsetting != nullptr &&
        IsCandidateInterface(interface.altsetting[0])) {
      return ConsolePipesOf(interface.altsetting[0]);
    }
  }
  return std::nullopt;
}

}  // namespace zq
