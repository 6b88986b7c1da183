#include "platform/usb/usb_console_device.h"

namespace zq {

std::shared_ptr<UsbConsoleDevice> UsbConsoleDevice::Open(std::shared_ptr<UsbContext> context,
                                                         libusb_device* device,
                                                         const ConsolePipes& pipes,
                                                         std::string name, int& error) {
  libusb_device_handle* handle = nullptr;
  error = libusb_open(device, &handle);
  if (error != LIBUSB_SUCCESS) {
    return nullptr;
  }
  bool detached = false;
  if (libusb_kernel_driver_active(handle, pipes.interfaceNumber) == 1) {
    error = libusb_detach_kernel_driver(handle, pipes.interfaceNumber);
    if (error != LIBUSB_SUCCESS) {
      libusb_close(handle);
      return nullptr;
    }
    detached = true;
  }
  error = libusb_claim_interface(handle, pipes.interfaceNumber);
  if (error != LIBUSB_SUCCESS) {
    if (detached) {
      libusb_attach_kernel_driver(handle, pipes.interfaceNumber);
    }
    libusb_close(handle);
    return nullptr;
  }
  // Selecting the interface's setting resets its endpoints (halts, data
  // toggles) and tells the console that a new host session begins. A device
  // that refuses the request is used all the same.
  libusb_set_interface_alt_setting(handle, pipes.interfaceNumber, 0);
  return std::shared_ptr<UsbConsoleDevice>(
      new UsbConsoleDevice(std::move(context), handle, pipes, std::move(name), detached));
}

UsbConsoleDevice::~UsbConsoleDevice() {
  libusb_release_interface(handle_, pipes_.interfaceNumber);
  if (detached_) {
    libusb_attach_kernel_driver(handle_, pipes_.interfaceNumber);
  }
  libusb_close(handle_);
}

}  // namespace zq
