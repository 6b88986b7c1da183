#pragma once

#include <memory>
#include <string_view>

#include "platform/endpoint.h"

namespace zq {

// Where the console's device is found and its pipes opened. The device
// directory of this machine is one transport; a libusb or a Windows driver
// transport plugs in here too.
class DeviceTransport {
 public:
  virtual ~DeviceTransport() = default;

  // Finds the device anew and opens its pipe `pipeName` ("PIPE00" console to
  // host, "PIPE02" host to console). nullptr when there is no device or the
  // pipe does not open. Prints the diagnostic lines of the search.
  virtual std::unique_ptr<Endpoint> OpenPipe(std::string_view pipeName) = 0;
};

}  // namespace zq
