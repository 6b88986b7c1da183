#include "platform/transport_choice.h"

#include <cstdlib>

#include "platform/device_directory.h"
#include "platform/directory_transport.h"
#include "platform/usb/usb_transport.h"

namespace zq {

TransportChoice ParseTransportChoice(std::string_view text) {
  if (text == "usb") {
    return TransportChoice::kUsb;
  }
  if (text == "dir") {
    return TransportChoice::kDirectory;
  }
  return TransportChoice::kUsbThenDirectory;
}

TransportChoice TransportChoiceFromEnvironment() {
  const char* text = std::getenv("ZQ61_TRANSPORT");
  return ParseTransportChoice(text == nullptr ? "" : text);
}

ConsoleTransport MakeConsoleTransport(DiagnosticLines::Sink sink) {
  return MakeConsoleTransport(TransportChoiceFromEnvironment(), std::move(sink));
}

ConsoleTransport MakeConsoleTransport(TransportChoice choice, DiagnosticLines::Sink sink) {
  ConsoleTransport result;
  std::vector<std::shared_ptr<DeviceSearch>> searches;
  if (choice != TransportChoice::kDirectory) {
    result.usb = std::make_shared<UsbSearch>();
    searches.push_back(result.usb);
  }
  if (choice != TransportChoice::kUsb) {
    searches.push_back(std::make_shared<DirectorySearch>(DefaultDeviceDirectory()));
  }
  result.transport = std::make_shared<SearchTransport>(std::move(searches), std::move(sink));
  return result;
}

}  // namespace zq
