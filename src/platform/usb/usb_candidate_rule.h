#pragma once

#include <libusb.h>

#include <optional>

#include "platform/usb/usb_device_match.h"

namespace zq {

// Whether a device whose ID no list names could be the console: an
// interface (its first alternate setting) of the vendor-specific class laid
// out at the driver's positions, three endpoints or more with a bulk IN
// first and a bulk OUT third. The pairing of a two-endpoint interface that
// a listed device may use is not enough here: too many other devices have
// one. A candidate is only listed and offered, never written to.
bool IsCandidateInterface(const libusb_interface_descriptor& setting);
std::optional<ConsolePipes> FindCandidatePipes(const libusb_config_descriptor& config);

}  // namespace zq
