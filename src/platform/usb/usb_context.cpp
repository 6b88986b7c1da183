#include "platform/usb/usb_context.h"

#include <poll.h>

#include <cerrno>
#include <thread>
#include <vector>

#include "platform/cancel_signal.h"

namespace zq {

std::shared_ptr<UsbContext> UsbContext::Create(int& error) {
  libusb_context* context = nullptr;
  error = libusb_init(&context);
  if (error != LIBUSB_SUCCESS) {
    return nullptr;
  }
  return std::shared_ptr<UsbContext>(new UsbContext(context));
}

UsbContext::~UsbContext() {
  libusb_exit(context_);
}

void UsbContext::HandlePending() {
  timeval zero{0, 0};
  libusb_handle_events_timeout_completed(context_, &zero, nullptr);
}

UsbContext::Wait UsbContext::WaitUntil(const std::function<bool()>& done,
                                       const CancelSignal* cancel,
                                       std::chrono::milliseconds limit) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + limit;
  std::vector<pollfd> fds;
  for (;;) {
    libusb_lock_events(context_);
    Wait outcome = Wait::kDone;
    bool retry = false;
    while (!done()) {
      if (libusb_event_handling_ok(context_) == 0) {
        retry = true;  // a device is being closed: give the lock up for a moment
        break;
      }
      fds.clear();
      if (const libusb_pollfd** list = libusb_get_pollfds(context_); list != nullptr) {
        for (const libusb_pollfd** p = list; *p != nullptr; ++p) {
          fds.push_back({(*p)->fd, (*p)->events, 0});
        }
        libusb_free_pollfds(list);
      }
      if (cancel != nullptr) {
        fds.push_back({cancel->Fd(), POLLIN, 0});
      }
      int timeout = -1;
      if (limit.count() >= 0) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
          outcome = Wait::kTimedOut;
          break;
        }
        timeout = static_cast<int>(left.count());
      }
      const int ready = ::poll(fds.data(), fds.size(), timeout);
      if (ready < 0 && errno != EINTR) {
        outcome = Wait::kTimedOut;  // cannot wait: report it as a wait that ran out
        break;
      }
      timeval zero{0, 0};
      libusb_handle_events_locked(context_, &zero);
      if (cancel != nullptr && (fds.back().revents & POLLIN) != 0 && !done()) {
        outcome = Wait::kCancelled;
        break;
      }
    }
    libusb_unlock_events(context_);
    if (!retry) {
      return outcome;
    }
    std::this_thread::yield();
  }
}

}  // namespace zq
