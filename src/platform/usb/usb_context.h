#pragma once

#include <libusb.h>

#include <chrono>
#include <functional>
#include <memory>

namespace zq {

class CancelSignal;

// One libusb context and the waiting on its events. Whoever waits for a
// transfer handles the events itself: it takes libusb's event lock, sleeps in
// poll() on libusb's descriptors beside a cancel descriptor, and lets libusb
// run the completions. The completions run only under that lock, and the
// waiter tests its condition only while it holds it, so no completion is
// missed, and nothing spins.
class UsbContext {
 public:
  // nullptr with the libusb error in `error` when there is no USB here.
  static std::shared_ptr<UsbContext> Create(int& error);
  ~UsbContext();
  UsbContext(const UsbContext&) = delete;
  UsbContext& operator=(const UsbContext&) = delete;

  libusb_context* Get() const { return context_; }

  enum class Wait { kDone, kCancelled, kTimedOut };
  // Handles events until `done()` holds, `cancel` fires (when given) or
  // `limit` has passed (when not negative). `done` is tested under the event
  // lock, where the completions run.
  Wait WaitUntil(const std::function<bool()>& done, const CancelSignal* cancel,
                 std::chrono::milliseconds limit);
  // Runs the completions that are already due, without waiting.
  void HandlePending();

 private:
  explicit UsbContext(libusb_context* context) : context_(context) {}
  libusb_context* context_;
};

}  // namespace zq
