#pragma once

#include <libusb.h>

#include <memory>
#include <string>

#include "platform/usb/usb_context.h"
#include "platform/usb/usb_device_match.h"

namespace zq {

class UsbEndpoint;

// A console's USB interface, opened and claimed. A kernel driver that held
// the interface is detached and given it back when the device is closed.
// Both pipe endpoints share it; the last one to go closes it.
class UsbConsoleDevice {
 public:
  // Opens `device` and claims the interface of `pipes`; nullptr with the
  // libusb error in `error` (LIBUSB_ERROR_ACCESS: no permission,
  // LIBUSB_ERROR_BUSY: another program holds it).
  static std::shared_ptr<UsbConsoleDevice> Open(std::shared_ptr<UsbContext> context,
                                                libusb_device* device, const ConsolePipes& pipes,
                                                std::string name, int& error);
  ~UsbConsoleDevice();
  UsbConsoleDevice(const UsbConsoleDevice&) = delete;
  UsbConsoleDevice& operator=(const UsbConsoleDevice&) = delete;

  const std::string& Name() const { return name_; }
  const ConsolePipes& Pipes() const { return pipes_; }
  UsbContext& Context() const { return *context_; }
  libusb_device_handle* Handle() const { return handle_; }
  // The host-to-console pipe while it is open: the IN pipe settles its
  // written-behind packet before it waits for a reply.
  UsbEndpoint* Writer() const { return writer_; }
  void SetWriter(UsbEndpoint* writer) { writer_ = writer; }

 private:
  UsbConsoleDevice(std::shared_ptr<UsbContext> context, libusb_device_handle* handle,
                   ConsolePipes pipes, std::string name, bool detached)
      : context_(std::move(context)),
        handle_(handle),
        pipes_(pipes),
        name_(std::move(name)),
        detached_(detached) {}

  std::shared_ptr<UsbContext> context_;
  libusb_device_handle* handle_;
  ConsolePipes pipes_;
  std::string name_;
  bool detached_;
  UsbEndpoint* writer_ = nullptr;
};

}  // namespace zq
