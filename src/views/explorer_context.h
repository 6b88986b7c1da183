#pragma once

#include <functional>

#include "operations/device_operations.h"
#include "operations/user_interface.h"

namespace zq {

// What the two views need from the rest of the program: the person (through
// the user interface), the device operations, and the frame's two flags.
struct ExplorerContext {
  UserInterface& ui;
  DeviceOperations& operations;
  std::function<bool()> isZqMode = [] { return true; };
  std::function<bool()> isConnected = [] { return false; };
};

}  // namespace zq
