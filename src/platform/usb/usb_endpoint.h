#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

#include "platform/endpoint.h"
#include "platform/usb/usb_console_device.h"

namespace zq {

// How a USB pipe overlaps its transfers with the caller.
struct UsbPipeMode {
  // A write returns once its transfer is submitted, as a socket's send
  // returns once the packet is in its buffer; the next write (or the
  // endpoint's closing) waits for it, and reports its failure. Without it,
  // every write waits for its own transfer.
  bool writeBehind = true;
  // A read submits the next IN transfer as soon as it has taken its packet,
  // so that the console's next packet can come while the caller answers.
  // Off: measured over dummy_hcd it saved nothing (receive at 0.95 of the
  // raw transfers with it, 0.98 without), since the written-behind go-on
  // packet is submitted at once and the next read follows it directly.
  bool readAhead = false;
};

// One pipe of the console over USB: a bulk endpoint on which each packet is
// one asynchronous transfer of at most 256 bytes (a short IN transfer is a
// short read). A blocked call waits for its transfer's completion beside
// the cancel signal and, when the signal fires, cancels the transfer with
// libusb_cancel_transfer and waits until libusb gives it back; whatever that
// transfer brought is thrown away. A stalled endpoint fails that call and
// its halt is cleared at once; a device that is unplugged is kGone.
//
// A write written behind is settled before the IN pipe waits for a reply:
// the console cannot answer a packet it has not taken, so a write that
// failed fails the read, and one not taken within kWriteLimit (the console's
// 5 s to accept a packet) is kTimedOut.
class UsbEndpoint final : public Endpoint {
 public:
  UsbEndpoint(std::shared_ptr<UsbConsoleDevice> device, std::uint8_t address, UsbPipeMode mode);
  ~UsbEndpoint() override;
  UsbEndpoint(const UsbEndpoint&) = delete;
  UsbEndpoint& operator=(const UsbEndpoint&) = delete;

  IoResult Write(std::span<const std::uint8_t> packet, std::size_t& transferred,
                 const CancelSignal& cancel) override;
  IoResult Read(std::span<std::uint8_t> buffer, std::size_t& transferred,
                const CancelSignal& cancel) override;
  IoResult TryWrite(std::span<const std::uint8_t> packet, std::size_t& transferred) override;
  IoResult TryRead(std::span<std::uint8_t> buffer, std::size_t& transferred) override;
  bool WaitReady(bool forWrite, std::chrono::microseconds wait) override;
  // IN: throws away a transfer in flight and reads until the pipe stays
  // quiet for kQuiet; OUT: lets a write in flight finish. Halts are cleared.
  void Resync() override;
  // A device that left, seen by an ioctl on its open file (no bus traffic).
  bool PeerGone() override;

  static constexpr std::chrono::milliseconds kWriteLimit{5000};
  static constexpr std::chrono::milliseconds kQuiet{50};

  // The outcome of the write written behind, waiting for it at most until
  // kWriteLimit after it was submitted (or until `cancel` fires): kOk when
  // there is none or it went out whole.
  IoResult SettleWrite(const CancelSignal* cancel);

  // One transfer and its buffer; the completion writes its outcome here.
  struct Slot {
    enum State { kIdle, kInFlight, kDone };
    libusb_transfer* transfer = nullptr;
    std::array<std::uint8_t, 256> buffer{};
    std::size_t submitted = 0;
    std::chrono::steady_clock::time_point submittedAt;
    int status = 0;
    int length = 0;
    std::atomic<int> state{kIdle};
  };

 private:
  bool IsIn() const { return (address_ & LIBUSB_ENDPOINT_DIR_MASK) == LIBUSB_ENDPOINT_IN; }
  int State() const { return slot_->state.load(std::memory_order_acquire); }
  // LIBUSB_SUCCESS or libusb's error; `timeout` in ms, 0 = none.
  int Submit(std::span<const std::uint8_t> packet, unsigned timeout = 0);
  IoResult SubmitResult(int error) const;
  // The outcome of a finished transfer; a stall is cleared here.
  IoResult Outcome();
  // A finished IN transfer handed to the caller.
  IoResult Take(std::span<std::uint8_t> buffer, std::size_t& transferred);
  // A finished OUT transfer forgotten; kFailed when it did not go out whole.
  IoResult Collect(std::size_t& transferred);
  UsbContext::Wait WaitWhileInFlight(const CancelSignal* cancel, std::chrono::milliseconds limit);
  // Cancels the transfer in flight and waits until libusb gives it back.
  IoResult CancelInFlight();

  std::shared_ptr<UsbConsoleDevice> device_;
  std::uint8_t address_;
  UsbPipeMode mode_;
  std::unique_ptr<Slot> slot_;
  bool stuck_ = false;  // a cancelled transfer never came back: the slot stays in libusb's hands
  bool gone_ = false;   // the device is gone
};

}  // namespace zq
