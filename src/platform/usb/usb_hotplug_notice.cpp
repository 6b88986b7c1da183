#include "platform/usb/usb_hotplug_notice.h"

#include <sys/time.h>

namespace zq {

UsbHotplugNotice::UsbHotplugNotice(std::function<void()> changed) : changed_(std::move(changed)) {
  if (libusb_has_capability(LIBUSB_CAP_HAS_HOTPLUG) == 0 || libusb_init(&context_) != 0) {
    context_ = nullptr;
    return;
  }
  const int events = LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED | LIBUSB_HOTPLUG_EVENT_DEVICE_LEFT;
  if (libusb_hotplug_register_callback(context_, events, LIBUSB_HOTPLUG_NO_FLAGS,
                                       LIBUSB_HOTPLUG_MATCH_ANY, LIBUSB_HOTPLUG_MATCH_ANY,
                                       LIBUSB_HOTPLUG_MATCH_ANY, &UsbHotplugNotice::Notice, this,
                                       &handle_) != LIBUSB_SUCCESS) {
    libusb_exit(context_);
    context_ = nullptr;
    return;
  }
  thread_ = std::thread([this] {
    // Sleeps in libusb until a notice or the destructor's interruption; the
    // limit only bounds a wake-up that was somehow missed.
    timeval limit{10, 0};
    while (!stop_.load()) {
      libusb_handle_events_timeout_completed(context_, &limit, nullptr);
    }
  });
}

UsbHotplugNotice::~UsbHotplugNotice() {
  if (context_ == nullptr) {
    return;
  }
  stop_.store(true);
  libusb_interrupt_event_handler(context_);
  if (thread_.joinable()) {
    thread_.join();
  }
  libusb_hotplug_deregister_callback(context_, handle_);
  libusb_exit(context_);
}

int LIBUSB_CALL UsbHotplugNotice::Notice(libusb_context*, libusb_device*, libusb_hotplug_event,
                                         void* self) {
  auto* notice = static_cast<UsbHotplugNotice*>(self);
  if (!notice->stop_.load()) {
    notice->changed_();
  }
  return 0;  // stays registered
}

}  // namespace zq
