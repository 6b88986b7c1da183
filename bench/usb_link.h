#pragma once

// The console's USB device opened by hand for the benchmark's raw figures:
// synchronous libusb bulk transfers, nothing between them and the caller.
#include <libusb.h>

#include <array>
#include <cstdint>
#include <string>

#include "platform/transport_choice.h"
#include "platform/usb/usb_device_match.h"
#include "platform/usb/usb_ids.h"
#include "platform/usb/usb_transport.h"

class RawUsb {
 public:
  RawUsb() {
    if (libusb_init(&context_) != 0) {
      context_ = nullptr;
      return;
    }
    handle_ = libusb_open_device_with_vid_pid(context_, zq::kEmulatorGadgetId.vendor,
                                              zq::kEmulatorGadgetId.product);
    if (handle_ == nullptr) {
      return;
    }
    libusb_config_descriptor* config = nullptr;
    if (libusb_get_active_config_descriptor(libusb_get_device(handle_), &config) == 0) {
      if (const auto pipes = zq::FindConsolePipes(*config, false)) {
        pipes_ = *pipes;
        claimed_ = libusb_claim_interface(handle_, pipes_.interfaceNumber) == 0;
        libusb_set_interface_alt_setting(handle_, pipes_.interfaceNumber, 0);
      }
      libusb_free_config_descriptor(config);
    }
  }
  ~RawUsb() {
    if (claimed_) {
      libusb_release_interface(handle_, pipes_.interfaceNumber);
    }
    if (handle_ != nullptr) {
      libusb_close(handle_);
    }
    if (context_ != nullptr) {
      libusb_exit(context_);
    }
  }
  RawUsb(const RawUsb&) = delete;
  RawUsb& operator=(const RawUsb&) = delete;

  bool Open() const { return claimed_; }
  std::string Name() const {
    return "bulk OUT " + std::to_string(pipes_.outAddress) + ", IN " +
           std::to_string(pipes_.inAddress);
  }
  unsigned MaxPacket() const { return pipes_.inMaxPacket; }

  long Transfer(bool in, std::array<std::uint8_t, 256>& packet) {
    int moved = 0;
    const int r = libusb_bulk_transfer(handle_, in ? pipes_.inAddress : pipes_.outAddress,
                                       packet.data(), 256, &moved, 0);
    return r == 0 ? moved : -1;
  }

 private:
  libusb_context* context_ = nullptr;
  libusb_device_handle* handle_ = nullptr;
  zq::ConsolePipes pipes_;
  bool claimed_ = false;
};
