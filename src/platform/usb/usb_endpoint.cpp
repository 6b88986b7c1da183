#include "platform/usb/usb_endpoint.h"

#include <algorithm>
#include <cstring>

namespace zq {
namespace {

using Slot = UsbEndpoint::Slot;

// How long a closing endpoint lets its last write (the leave packet) go out,
// and how long a cancelled transfer may take to come back.
constexpr std::chrono::milliseconds kLastWriteLimit{1000};
constexpr std::chrono::milliseconds kReapLimit{5000};
constexpr std::chrono::milliseconds kNoLimit{-1};

void LIBUSB_CALL OnComplete(libusb_transfer* transfer) {
  auto* slot = static_cast<Slot*>(transfer->user_data);
  slot->status = transfer->status;
  slot->length = transfer->actual_length;
  slot->state.store(Slot::kDone, std::memory_order_release);
}

IoResult FromStatus(int status) {
  switch (status) {
    case LIBUSB_TRANSFER_COMPLETED:
      return IoResult::kOk;
    case LIBUSB_TRANSFER_CANCELLED:
      return IoResult::kCancelled;
    default:
      return IoResult::kFailed;  // unplugged, stalled, overflowed, failed
  }
}

}  // namespace

UsbEndpoint::UsbEndpoint(std::shared_ptr<UsbConsoleDevice> device, std::uint8_t address,
                         UsbPipeMode mode)
    : device_(std::move(device)), address_(address), mode_(mode), slot_(std::make_unique<Slot>()) {
  slot_->transfer = libusb_alloc_transfer(0);
}

UsbEndpoint::~UsbEndpoint() {
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

bool UsbEndpoint::Submit(std::span<const std::uint8_t> packet) {
  if (slot_->transfer == nullptr || packet.size() > slot_->buffer.size()) {
    return false;
  }
  if (IsIn()) {
    slot_->submitted = slot_->buffer.size();
  } else {
    std::copy(packet.begin(), packet.end(), slot_->buffer.begin());
    slot_->submitted = packet.size();
  }
  libusb_fill_bulk_transfer(slot_->transfer, device_->Handle(), address_, slot_->buffer.data(),
                            static_cast<int>(slot_->submitted), OnComplete, slot_.get(), 0);
  slot_->state.store(Slot::kInFlight, std::memory_order_release);
  if (libusb_submit_transfer(slot_->transfer) != LIBUSB_SUCCESS) {
    slot_->state.store(Slot::kIdle, std::memory_order_release);
    return false;
  }
  return true;
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
  } else if (!IsIn() || slot_->status != LIBUSB_TRANSFER_COMPLETED) {
    // A read that completed before the cancel took effect keeps its packet
    // for the next read: the console did send it.
    slot_->state.store(Slot::kIdle, std::memory_order_release);
  }
  return IoResult::kCancelled;
}

IoResult UsbEndpoint::Take(std::span<std::uint8_t> buffer, std::size_t& transferred) {
  const IoResult r = FromStatus(slot_->status);
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
  const bool whole = slot_->status == LIBUSB_TRANSFER_COMPLETED &&
                     static_cast<std::size_t>(slot_->length) == slot_->submitted;
  transferred = whole ? slot_->submitted : 0;
  slot_->state.store(Slot::kIdle, std::memory_order_release);
  return whole ? IoResult::kOk : IoResult::kFailed;
}

IoResult UsbEndpoint::TryRead(std::span<std::uint8_t> buffer, std::size_t& transferred) {
  transferred = 0;
  if (stuck_ || !IsIn()) {
    return IoResult::kFailed;
  }
  device_->Context().HandlePending();
  if (State() == Slot::kDone) {
    return Take(buffer, transferred);
  }
  if (State() == Slot::kIdle && !Submit({})) {
    return IoResult::kFailed;
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
    if (WaitWhileInFlight(&cancel, kNoLimit) == UsbContext::Wait::kCancelled) {
      return CancelInFlight();
    }
  }
}

IoResult UsbEndpoint::TryWrite(std::span<const std::uint8_t> packet, std::size_t& transferred) {
  transferred = 0;
  if (stuck_ || IsIn()) {
    return IoResult::kFailed;
  }
  device_->Context().HandlePending();
  if (State() == Slot::kInFlight) {
    return IoResult::kWouldBlock;
  }
  if (State() == Slot::kDone) {
    std::size_t previous = 0;
    // Without write-behind a finished transfer here is one whose cancel
    // came too late; its packet is not this one.
    if (Collect(previous) != IoResult::kOk && mode_.writeBehind) {
      return IoResult::kFailed;  // the previous packet did not go out
    }
  }
  if (!mode_.writeBehind) {
    return IoResult::kWouldBlock;  // only a blocking write waits for its transfer
  }
  if (!Submit(packet)) {
    return IoResult::kFailed;
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
    if (own && !Submit(packet)) {
      return IoResult::kFailed;
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
  if (stuck_ || forWrite == IsIn()) {
    return false;
  }
  if (forWrite && !mode_.writeBehind) {
    return false;  // a write cannot move without waiting for its own transfer
  }
  if (!forWrite && State() == Slot::kIdle && !Submit({})) {
    return true;  // the read reports the failure at once
  }
  const auto limit = std::chrono::ceil<std::chrono::milliseconds>(wait);
  WaitWhileInFlight(nullptr, limit);
  return State() != Slot::kInFlight;
}

}  // namespace zq
