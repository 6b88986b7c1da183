#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/usb/usb_device_match.h"
#include "platform/usb/usb_ids.h"

namespace zq {

// A USB device that could be a console: its ID is in the console list and
// it has the console's pipes, or it is a candidate (no list names its ID,
// but it has a vendor-specific interface laid out as the console's,
// `IsCandidateInterface`).
struct UsbCandidate {
  enum class Access { kOpens, kNoPermission, kBusy, kFailed };

  std::uint8_t bus = 0;
  std::uint8_t address = 0;
  std::string port;  // the kernel's name, "1-1.2"
  UsbId id;
  std::string product;  // the product string, empty when the device gives none
  bool listed = false;  // the ID is in the console list; else a candidate
  ConsolePipes pipes;
  Access access = Access::kFailed;
  std::string detail;  // why it does not open, or a note on how it opens
};

// The candidates in bus and address order. Each is opened to see whether it
// could be used (and its interface claimed and released at once when no
// kernel driver holds it). `error` is set when USB cannot be searched here.
std::vector<UsbCandidate> ListUsbCandidates(const std::vector<UsbId>& ids, std::string& error);

}  // namespace zq
