#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/search_transport.h"
#include "platform/usb/usb_endpoint.h"
#include "platform/usb/usb_ids.h"

namespace zq {

class UsbConsoleDevice;

// Finds a console among the USB devices: every device whose vendor:product
// ID is in the list, in bus and address order; the first interface of its
// active configuration with the console's pipes (`FindConsolePipes`). A device
// "opens" when it can be opened and that interface claimed (a kernel driver
// holding it is detached). The claimed device is kept while a pipe of it is
// open, and both pipes share it.
class UsbSearch final : public DeviceSearch {
 public:
  // Without IDs, the console IDs are read again for every search
  // (`ConsoleUsbIds`), so that an ID adopted meanwhile counts.
  explicit UsbSearch(std::vector<UsbId> ids = {}, UsbPipeMode mode = {});

  std::unique_ptr<FoundDevice> FindDevice(const DiagnosticLines& lines) override;

  // The listed devices that the last search could not open for want of
  // permission (their names).
  const std::vector<std::string>& Denied() const { return denied_; }

 private:
  std::vector<UsbId> ids_;
  UsbPipeMode mode_;
  std::weak_ptr<UsbConsoleDevice> open_;
  std::vector<std::string> denied_;
};

// A transport that looks for the console among the USB devices only.
class UsbTransport final : public SearchTransport {
 public:
  explicit UsbTransport(std::shared_ptr<UsbSearch> search, DiagnosticLines::Sink sink = {});

  const UsbSearch& Search() const { return *search_; }

 private:
  std::shared_ptr<UsbSearch> search_;
};

}  // namespace zq
