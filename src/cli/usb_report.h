#pragma once

#include <string>
#include <vector>

#include "platform/usb/usb_listing.h"

namespace zq::cli {

// The table of `zq61-cli usb`: one row per candidate (bus, port,
// vendor:product, listed, opens, product), then what to do about the rows
// that will not serve as a console as they are.
std::string UsbCandidateTable(const std::vector<UsbCandidate>& candidates);

// The hint added to "failed to open USB port" when listed devices were
// found that this user may not open.
std::string UsbPermissionHint(const std::vector<std::string>& devices);

}  // namespace zq::cli
