#include "platform/console_presence.h"

#include "platform/device_directory.h"
#include "platform/directory_transport.h"
#include "platform/usb/usb_presence.h"

namespace zq {

ConsolePresence ConsolePresence::FromEnvironment() {
  return ConsolePresence(TransportChoiceFromEnvironment(), DefaultDeviceDirectory());
}

std::filesystem::path ConsolePresence::Directory() const {
  return choice_ == TransportChoice::kUsb ? std::filesystem::path() : directory_;
}

bool ConsolePresence::Present() const {
  if (SearchesUsb() && UsbConsolePresent()) {
    return true;
  }
  return choice_ != TransportChoice::kUsb && DirectoryConsolePresent(directory_);
}

bool DirectoryConsolePresent(const std::filesystem::path& directory) {
  DirectorySearch search(directory);
  const DiagnosticLines silent([](const std::string&) {});
  return search.FindDevice(silent) != nullptr;
}

}  // namespace zq
