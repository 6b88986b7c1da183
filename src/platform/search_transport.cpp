#include "platform/search_transport.h"

namespace zq {

SearchTransport::SearchTransport(std::vector<std::shared_ptr<DeviceSearch>> searches,
                                 DiagnosticLines::Sink sink)
    : searches_(std::move(searches)), lines_(std::move(sink)) {}

std::unique_ptr<Endpoint> SearchTransport::OpenPipe(std::string_view pipeName) {
  std::unique_ptr<FoundDevice> device;
  for (const auto& search : searches_) {
    if ((device = search->FindDevice(lines_))) {
      break;
    }
  }
  if (!device) {
    lines_.Print("Failed to GetUsbDeviceFileName\n");
    return nullptr;
  }
  const std::string name = device->Name() + "/" + std::string(pipeName);
  lines_.Print("completeDeviceName = (" + name + ")\n");
  int error = 0;
  auto endpoint = device->OpenPipe(pipeName, error);
  if (!endpoint) {
    lines_.Print("Failed to open (" + name + ") = " + std::to_string(error));
    return nullptr;
  }
  lines_.Print("Opened successfully.\n");
  return endpoint;
}

}  // namespace zq
