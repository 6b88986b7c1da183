#pragma once

#include <memory>
#include <string_view>

#include "platform/diagnostic_lines.h"
#include "platform/search_transport.h"

namespace zq {

class UsbSearch;

// Where the programs look for the console. By default USB devices first,
// then the device directory, so that a real console and the emulator both
// work without a setting; ZQ61_TRANSPORT=usb or =dir keeps to one of them.
enum class TransportChoice { kUsbThenDirectory, kUsb, kDirectory };

// "usb" and "dir" pick one; anything else (unset included) is both, USB first.
TransportChoice ParseTransportChoice(std::string_view text);
TransportChoice TransportChoiceFromEnvironment();

struct ConsoleTransport {
  std::shared_ptr<SearchTransport> transport;
  std::shared_ptr<UsbSearch> usb;  // null when USB is not searched
};

// The transport of the window, the command line and the tests: the choice
// above, with the device directory of this machine.
ConsoleTransport MakeConsoleTransport(DiagnosticLines::Sink sink = {});
ConsoleTransport MakeConsoleTransport(TransportChoice choice, DiagnosticLines::Sink sink = {});

}  // namespace zq
