#pragma once

#include <string>
#include <vector>

#include "platform/usb/usb_listing.h"

namespace zq {

// What a person can do when no console was found, from the USB devices that
// could be one: a console this user may not open (the udev rule), one that
// another program holds, and each device whose ID no list names but that
// has the console's shape (how to adopt it). One line each; empty when
// there is nothing to say.
std::string NoConsoleHints(const std::vector<UsbCandidate>& devices);

// The line about one unlisted device of the console's shape.
std::string AdoptionHint(const UsbCandidate& device);

// The device as a person recognises it: "usb 1-1.2 (1234:abcd, Product)".
std::string DeviceLabel(const UsbCandidate& device);

}  // namespace zq
