// Whether the device of an idle endpoint is still there.
#include "platform/usb/usb_console_device.h"
#include "platform/usb/usb_endpoint.h"

namespace zq {

bool UsbEndpoint::PeerGone() {
  if (gone_) {
    return true;
  }
  // Asks the kernel about the claimed interface: once the device has left,
  // every request on its file fails with "no device".
  const int answer =
      libusb_kernel_driver_active(device_->Handle(), device_->Pipes().interfaceNumber);
  return answer == LIBUSB_ERROR_NO_DEVICE;
}

}  // namespace zq
