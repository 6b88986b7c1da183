#pragma once

#include <filesystem>

#include "platform/transport_choice.h"

namespace zq {

// Whether a console is in sight, looked for without a diagnostic line and
// without taking hold of anything: the window's watch while it holds no
// console, and `zq61-cli --wait`. In the device directory an interface is
// in sight when its PIPE00 accepts a connection (closed at once, as the
// search's probe is); among the USB devices, a device with a console ID.
class ConsolePresence {
 public:
  ConsolePresence(TransportChoice choice, std::filesystem::path directory)
      : choice_(choice), directory_(std::move(directory)) {}
  // The programs' own choice (ZQ61_TRANSPORT) and device directory.
  static ConsolePresence FromEnvironment();

  bool Present() const;
  // The device directory looked at; empty when it is not searched.
  std::filesystem::path Directory() const;
  bool SearchesUsb() const { return choice_ != TransportChoice::kDirectory; }

 private:
  TransportChoice choice_;
  std::filesystem::path directory_;
};

// Whether an interface of the device directory accepts a connection.
bool DirectoryConsolePresent(const std::filesystem::path& directory);

}  // namespace zq
