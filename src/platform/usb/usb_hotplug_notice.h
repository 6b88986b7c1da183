#pragma once

#include <libusb.h>

#include <atomic>
#include <functional>
#include <thread>

namespace zq {

// Says that a USB device arrived or left, as soon as libusb's hot-plug
// notice tells, from a thread of its own that sleeps in libusb until then.
// Where this libusb has no hot-plug notice, or no context can be made,
// `Listens()` is false and nothing is ever said. On Linux the notice comes
// through udev, so it stays silent where udev does not run: a caller keeps
// its own slower look as well.
class UsbHotplugNotice {
 public:
  // `changed` runs on the notice's thread, once for each device that came
  // or went.
  explicit UsbHotplugNotice(std::function<void()> changed);
  ~UsbHotplugNotice();
  UsbHotplugNotice(const UsbHotplugNotice&) = delete;
  UsbHotplugNotice& operator=(const UsbHotplugNotice&) = delete;

  bool Listens() const { return thread_.joinable(); }

 private:
  static int LIBUSB_CALL Notice(libusb_context* context, libusb_device* device,
                                libusb_hotplug_event event, void* self);

  std::function<void()> changed_;
  libusb_context* context_ = nullptr;
  libusb_hotplug_callback_handle handle_ = 0;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace zq
