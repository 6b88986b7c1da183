#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/diagnostic_lines.h"
#include "platform/endpoint.h"

namespace zq {

// A device interface that a search found open.
class FoundDevice {
 public:
  virtual ~FoundDevice() = default;

  // The device's name in the diagnostic lines: an interface folder, or a USB
  // device's bus, port path and IDs.
  virtual std::string Name() const = 0;
  // Opens the pipe `pipeName` ("PIPE00" console to host, "PIPE02" host to
  // console); nullptr with an errno value in `error` when it does not open.
  virtual std::unique_ptr<Endpoint> OpenPipe(std::string_view pipeName, int& error) = 0;
};

// One kind of place where consoles are found (USB devices, the device
// directory). Its interfaces are tried in a fixed order.
class DeviceSearch {
 public:
  virtual ~DeviceSearch() = default;

  // Tries the interfaces in order, printing "Attempting to open <name>"
  // before each and "FAILED to open <name>" after each that does not open.
  // The first that opens, or nullptr.
  virtual std::unique_ptr<FoundDevice> FindDevice(const DiagnosticLines& lines) = 0;
};

}  // namespace zq
