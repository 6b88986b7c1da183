#pragma once

#include <memory>
#include <vector>

#include "platform/device_search.h"
#include "platform/device_transport.h"
#include "platform/diagnostic_lines.h"

namespace zq {

// A transport that finds the device anew for every pipe it opens, asking its
// searches in order (USB devices, then the device directory) and taking the
// first interface that opens. It prints the diagnostic lines of the console
// driver's search: "Failed to GetUsbDeviceFileName" once when no search
// found a device, then "completeDeviceName = (<device>/<pipe>)" and "Opened
// successfully." or "Failed to open (<device>/<pipe>) = <errno>".
class SearchTransport : public DeviceTransport {
 public:
  explicit SearchTransport(std::vector<std::shared_ptr<DeviceSearch>> searches,
                           DiagnosticLines::Sink sink = {});

  // Silences (or restores) the diagnostic lines.
  void SetDiagnostics(bool on) { lines_.SetEnabled(on); }

  std::unique_ptr<Endpoint> OpenPipe(std::string_view pipeName) override;

 private:
  std::vector<std::shared_ptr<DeviceSearch>> searches_;
  DiagnosticLines lines_;
};

}  // namespace zq
