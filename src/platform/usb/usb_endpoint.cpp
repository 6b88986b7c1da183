#include "platform/usb/usb_endpoint.h"

#include <algorithm>
#include <cstring>

namespace zq {
namespace {

using Slot = UsbEndpoint::Slot;
using Clock = std::chrono::steady_clock;

// How long a closing endpoint lets its last write (the leave packet) go out,
// how long a cancelled transfer may take to come back, and how long a
// resync may read before it gives up on a pipe that never stays quiet.
constexpr std::chrono::milliseconds kLastWriteLimit{1000};
constexpr std::chrono::milliseconds kReapLimit{5000};
constexpr std::chrono::milliseconds kResyncLimit{2000};
constexpr std::chrono::milliseconds kNoLimit{-1};

void LIBUSB_CALL OnComplete(libusb_transfer* transfer) {
  auto* slot = static_cast<Slot*>(transfer->user_data);
  slot->status = transfer->status;
  slot->length = transfer->actual_length;
  slot->state.store(Slot::kDone, std::memory_order_release);
}

}  // namespace

UsbEndpoint::UsbEndpoint(std::shared_ptr<UsbConsoleDevice> device, std::uint8_t address,
                         UsbPipeMode mode)
    : device_(std::move(device)), address_(address), mode_(mode), slot_(std::make_unique<Slot>()) {
  slot_->transfer = libusb_alloc_transfer(0);
  if (!IsIn()) {
    device_->SetWriter(this);
  }
}

UsbEndpoint::~UsbEndpoint() {
  if (device_->Writer() == this) {
    device_->SetWriter(nullptr);
  }
  if (State() == Slot::kInFlight && !IsIn()) {
    WaitWhileInFlight(nullptr, kLastWriteLimit);
  }
  if (State() == Slot::kInFlight) {
    CancelInFlight();
  }
  if (State() == Slot::kInFlight) {
    // libusb still holds the transfer: leave it and its buffer to it.
    [[maybe_unused]] Slot* abandoned = slot_.release();
    return;
  }
  libusb_free_transfer(slot_->transfer);
}

int UsbEndpoint::Submit(std::span<const std::uint8_t> packet, unsigned timeout) {
  if (slot_->transfer == nullptr || packet.size() > slot_->buffer.size()) {
    return LIBUSB_ERROR_INVALID_PARAM;
  }
  if (IsIn()) {
    slot_->submitted = slot_->buffer.size();
  } else {
    std::copy(packet.begin(), packet.end(), slot_->buffer.begin());
    slot_->submitted = packet.size();
  }
  libusb_fill_bulk_transfer(slot_->transfer, device_->Handle(), address_, slot_->buffer.data(),
                            static_cast<int>(slot_->submitted), OnComplete, slot_.get(), timeout);
  slot_->submittedAt = Clock::now();
  slot_->state.store(Slot::kInFlight, std::memory_order_release);
  const int error = libusb_submit_transfer(slot_->transfer);
  if (error != LIBUSB_SUCCESS) {
    slot_->state.store(Slot::kIdle, std::memory_order_release);
    gone_ = gone_ || error == LIBUSB_ERROR_NO_DEVICE;
  }
  return error;
}

IoResult UsbEndpoint::SubmitResult(int error) const {
  if (error == LIBUSB_SUCCESS) {
    return IoResult::kOk;
  }
  return error == LIBUSB_ERROR_NO_DEVICE ? IoResult::kGone : IoResult::kFailed;
}

IoResult UsbEndpoint::Outcome() {
  switch (slot_->status) {
    case LIBUSB_TRANSFER_COMPLETED:
      return IoResult::kOk;
    case LIBUSB_TRANSFER_CANCELLED:
      return IoResult::kCancelled;
    case LIBUSB_TRANSFER_NO_DEVICE:
      gone_ = true;
      return IoResult::kGone;
    case LIBUSB_TRANSFER_STALL:
      // The console halted the pipe: this packet failed, the next may move.
      if (libusb_clear_halt(device_->Handle(), address_) == LIBUSB_ERROR_NO_DEVICE) {
        gone_ = true;
        return IoResult::kGone;
      }
      return IoResult::kFailed;
    default:
      return IoResult::kFailed;  // overflowed (a reply longer than a packet), failed
  }
}

UsbContext::Wait UsbEndpoint::WaitWhileInFlight(const CancelSignal* cancel,
                                                std::chrono::milliseconds limit) {
  return device_->Context().WaitUntil([this] { return State() != Slot::kInFlight; }, cancel, limit);
}

IoResult UsbEndpoint::CancelInFlight() {
  libusb_cancel_transfer(slot_->transfer);
  WaitWhileInFlight(nullptr, kReapLimit);
  if (State() == Slot::kInFlight) {
    stuck_ = true;
  } else {
    // Even a read that completed before the cancel took effect is thrown
    // away: its packet answered an exchange the caller has given up, and
    // handed to the next read it would put every later reply out of step.
    slot_->state.store(Slot::kIdle, std::memory_order_release);
  }
  return IoResult::kCancelled;
}

IoResult UsbEndpoint::Take(std::span<std::uint8_t> buffer, std::size_t& transferred) {
  const IoResult r = Outcome();
  const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(slot_->length),
                                              std::min(buffer.size(), slot_->buffer.size()));
  std::copy_n(slot_->buffer.begin(), n, buffer.begin());
  transferred = r == IoResult::kOk ? n : 0;
  slot_->state.store(Slot::kIdle, std::memory_order_release);
  if (r == IoResult::kOk && mode_.readAhead) {
    Submit({});  // a failure shows at the next read
  }
  return r == IoResult::kCancelled ? IoResult::kFailed : r;
}

IoResult UsbEndpoint::Collect(std::size_t& transferred) {
  const IoResult r = Outcome();
  const bool whole =
      r == IoResult::kOk && static_cast<std::size_t>(slot_->length) == slot_->submitted;
  transferred = whole ? slot_->submitted : 0;
  slot_->state.store(Slot::kIdle, std::memory_order_release);
  if (whole) {
    return IoResult::kOk;
  }
  return r == IoResult::kGone ? IoResult::kGone : IoResult::kFailed;
}

IoResult UsbEndpoint::SettleWrite(const CancelSignal* cancel) {
  if (State() == Slot::kInFlight) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(slot_->submittedAt +
                                                                   kWriteLimit - Clock::now());
    const auto wait = WaitWhileInFlight(cancel, std::max(left, std::chrono::milliseconds(0)));
    if (wait == UsbContext::Wait::kCancelled) {
      return IoResult::kCancelled;
    }
    if (State() == Slot::kInFlight) {
      CancelInFlight();
      return IoResult::kTimedOut;  // the console never took the packet
    }
  }
  if (State() == Slot::kDone) {
    std::size_t ignored = 0;
    return Collect(ignored);
  }
  return IoResult::kOk;
}

IoResult UsbEndpoint::TryRead(std::span<std::uint8_t> buffer, std::size_t& transferred) {
  transferred = 0;
  if (gone_) {
    return IoResult::kGone;
  }
  if (stuck_ || !IsIn()) {
    return IoResult::kFailed;
  }
  device_->Context().HandlePending();
  if (State() == Slot::kDone) {
    return Take(buffer, transferred);
  }
  // A written-behind packet that failed: no reply is coming.
  if (UsbEndpoint* writer = device_->Writer();
      writer != nullptr && writer->State() == Slot::kDone) {
    if (const IoResult w = writer->SettleWrite(nullptr); w != IoResult::kOk) {
      return w;
    }
  }
  if (State() == Slot::kIdle) {
    if (const IoResult r = SubmitResult(Submit({})); r != IoResult::kOk) {
      return r;
    }
  }
  return IoResult::kWouldBlock;
}

IoResult UsbEndpoint::Read(std::span<std::uint8_t> buffer, std::size_t& transferred,
                           const CancelSignal& cancel) {
  for (;;) {
    const IoResult r = TryRead(buffer, transferred);
    if (r != IoResult::kWouldBlock) {
      return r;
    }
    if (UsbEndpoint* writer = device_->Writer(); writer != nullptr) {
      const IoResult w = writer->SettleWrite(&cancel);
      if (w == IoResult::kCancelled) {
        return CancelInFlight();
      }
      if (w != IoResult::kOk) {
        return w;
      }
    }
    if (WaitWhileInFlight(&cancel, kNoLimit) == UsbContext::Wait::kCancelled) {
      return CancelInFlight();
    }
  }
}

IoResult UsbEndpoint::TryWrite(std::span<const std::uint8_t> packet, std::size_t& transferred) {
  transferred = 0;
  if (gone_) {
    return IoResult::kGone;
  }
  if (stuck_ || IsIn()) {
    return IoResult::kFailed;
  }
  device_->Context().HandlePending();
  if (State() == Slot::kInFlight) {
    if (mode_.writeBehind && Clock::now() - slot_->submittedAt > kWriteLimit) {
      CancelInFlight();
      return IoResult::kTimedOut;  // the previous packet was never taken
    }
    return IoResult::kWouldBlock;
  }
  if (State() == Slot::kDone) {
    std::size_t previous = 0;
    // Without write-behind a finished transfer here is one whose cancel
    // came too late; its packet is not this one.
    if (const IoResult r = Collect(previous); r != IoResult::kOk && mode_.writeBehind) {
      return r;  // the previous packet did not go out
    }
  }
  if (!mode_.writeBehind) {
    return IoResult::kWouldBlock;  // only a blocking write waits for its transfer
  }
  if (const IoResult r = SubmitResult(Submit(packet)); r != IoResult::kOk) {
    return r;
  }
  transferred = packet.size();
  return IoResult::kOk;
}

IoResult UsbEndpoint::Write(std::span<const std::uint8_t> packet, std::size_t& transferred,
                            const CancelSignal& cancel) {
  for (;;) {
    const IoResult r = TryWrite(packet, transferred);
    if (r != IoResult::kWouldBlock) {
      return r;
    }
    const bool own = State() == Slot::kIdle;  // never in write-behind: TryWrite submitted it
    if (own) {
      if (const IoResult s = SubmitResult(Submit(packet)); s != IoResult::kOk) {
        return s;
      }
    }
    if (WaitWhileInFlight(&cancel, kNoLimit) == UsbContext::Wait::kCancelled) {
      return CancelInFlight();
    }
    if (own) {
      return Collect(transferred);
    }
  }
}

bool UsbEndpoint::WaitReady(bool forWrite, std::chrono::microseconds wait) {
  if (stuck_ || gone_ || forWrite == IsIn()) {
    return false;
  }
  if (forWrite && !mode_.writeBehind) {
    return false;  // a write cannot move without waiting for its own transfer
  }
  if (!forWrite && State() == Slot::kIdle && Submit({}) != LIBUSB_SUCCESS) {
    return true;  // the read reports the failure at once
  }
  const auto limit = std::chrono::ceil<std::chrono::milliseconds>(wait);
  WaitWhileInFlight(nullptr, limit);
  return State() != Slot::kInFlight;
}

void UsbEndpoint::Resync() {
  if (stuck_ || gone_) {
    return;
  }
  if (!IsIn()) {
    SettleWrite(nullptr);
    return;
  }
  if (State() == Slot::kInFlight) {
    CancelInFlight();
  }
  const auto until = Clock::now() + kResyncLimit;
  while (!stuck_ && !gone_ && Clock::now() < until) {
    if (State() == Slot::kDone) {
      Outcome();  // clears a halt
      slot_->state.store(Slot::kIdle, std::memory_order_release);
    }
    if (Submit({}, static_cast<unsigned>(kQuiet.count())) != LIBUSB_SUCCESS) {
      return;
    }
    if (WaitWhileInFlight(nullptr, kReapLimit) != UsbContext::Wait::kDone) {
      CancelInFlight();
      return;
    }
    if (slot_->status == LIBUSB_TRANSFER_TIMED_OUT) {
      // Quiet for kQuiet; a partial packet it caught is dropped with it.
      slot_->state.store(Slot::kIdle, std::memory_order_release);
      return;
    }
  }
  if (State() == Slot::kDone) {
    slot_->state.store(Slot::kIdle, std::memory_order_release);
  }
}

}  // namespace zq
