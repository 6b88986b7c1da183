#include "support/scripted_endpoint.h"

#include <poll.h>

#include <algorithm>

#include "platform/cancel_signal.h"

namespace zq::test {

std::uint8_t ByteScript::Byte() {
  return Empty() ? 0 : bytes_[position_++];
}

std::uint16_t ByteScript::U16() {
  const std::uint16_t low = Byte();
  return static_cast<std::uint16_t>(low | (Byte() << 8));
}

std::uint32_t ByteScript::U32() {
  const std::uint32_t low = U16();
  return low | (static_cast<std::uint32_t>(U16()) << 16);
}

std::span<const std::uint8_t> ByteScript::Bytes(std::size_t count) {
  const std::size_t n = std::min(count, Left());
  const auto out = bytes_.subspan(position_, n);
  position_ += n;
  return out;
}

namespace {

StepOutcome NextOutcome(ByteScript& script) {
  if (script.Empty()) {
    return StepOutcome::kWhole;  // the caller decides what a silent console does
  }
  const auto value = static_cast<std::uint8_t>(script.Byte() % 8);
  return value <= 4 ? static_cast<StepOutcome>(value) : StepOutcome::kWhole;
}

}  // namespace

IoResult ScriptedEndpoint::Move(bool write, StepOutcome outcome, std::span<std::uint8_t> buffer,
                                std::size_t& transferred) {
  transferred = 0;
  if (outcome == StepOutcome::kFailed) {
    return IoResult::kFailed;
  }
  std::size_t count = buffer.size();
  if (outcome == StepOutcome::kShort) {
    count = std::min<std::size_t>(script_.Byte(), buffer.size());
  }
  if (write) {
    ++record_.writes;
    if (count == buffer.size()) {
      record_.lastWrite.assign(buffer.begin(), buffer.end());
    }
  } else {
    ++record_.reads;
    std::fill(buffer.begin(), buffer.end(), std::uint8_t{0});
    // A whole reply names how many of its first bytes the script gives.
    const std::size_t given = outcome == StepOutcome::kShort ? count : script_.Byte();
    const auto bytes = script_.Bytes(std::min(given, buffer.size()));
    std::copy(bytes.begin(), bytes.end(), buffer.begin());
  }
  transferred = count;
  return IoResult::kOk;
}

IoResult ScriptedEndpoint::Attempt(bool write, std::span<std::uint8_t> buffer,
                                   std::size_t& transferred) {
  transferred = 0;
  if (pending_ == Pending::kHang) {
    return IoResult::kWouldBlock;
  }
  if (pending_ == Pending::kReady) {
    pending_ = Pending::kNone;
    return Move(write, StepOutcome::kWhole, buffer, transferred);
  }
  if (!write && script_.Empty()) {
    return IoResult::kFailed;  // the console is gone
  }
  const StepOutcome outcome = NextOutcome(script_);
  if (outcome == StepOutcome::kHang) {
    pending_ = Pending::kHang;
    return IoResult::kWouldBlock;
  }
  if (outcome == StepOutcome::kAfterWait) {
    pending_ = Pending::kReady;
    return IoResult::kWouldBlock;
  }
  return Move(write, outcome, buffer, transferred);
}

IoResult ScriptedEndpoint::TryWrite(std::span<const std::uint8_t> packet,
                                    std::size_t& transferred) {
  // Writes only read the packet; one path serves both directions.
  const std::span<std::uint8_t> bytes(const_cast<std::uint8_t*>(packet.data()), packet.size());
  return Attempt(true, bytes, transferred);
}

IoResult ScriptedEndpoint::TryRead(std::span<std::uint8_t> buffer, std::size_t& transferred) {
  return Attempt(false, buffer, transferred);
}

bool ScriptedEndpoint::WaitReady(bool, std::chrono::microseconds) {
  return pending_ == Pending::kReady;
}

namespace {

// A hanging call waits on the cancel signal alone.
IoResult WaitForCancel(const CancelSignal& cancel) {
  pollfd p{cancel.Fd(), POLLIN, 0};
  while (::poll(&p, 1, -1) < 0) {
  }
  return IoResult::kCancelled;
}

}  // namespace

IoResult ScriptedEndpoint::Write(std::span<const std::uint8_t> packet, std::size_t& transferred,
                                 const CancelSignal& cancel) {
  const IoResult r = TryWrite(packet, transferred);
  if (r != IoResult::kWouldBlock) {
    return r;
  }
  if (pending_ == Pending::kReady) {
    return TryWrite(packet, transferred);
  }
  ++record_.hangs;
  pending_ = Pending::kNone;
  return WaitForCancel(cancel);
}

IoResult ScriptedEndpoint::Read(std::span<std::uint8_t> buffer, std::size_t& transferred,
                                const CancelSignal& cancel) {
  const IoResult r = TryRead(buffer, transferred);
  if (r != IoResult::kWouldBlock) {
    return r;
  }
  if (pending_ == Pending::kReady) {
    return TryRead(buffer, transferred);
  }
  ++record_.hangs;
  pending_ = Pending::kNone;
  return WaitForCancel(cancel);
}

std::unique_ptr<Endpoint> ScriptedTransport::OpenPipe(std::string_view) {
  if (NextOutcome(script_) == StepOutcome::kFailed) {
    return nullptr;
  }
  return std::make_unique<ScriptedEndpoint>(script_, record_);
}

ScriptWriter& ScriptWriter::Outcome(StepOutcome outcome) {
  return Byte(static_cast<std::uint8_t>(outcome));
}

ScriptWriter& ScriptWriter::ShortWrite(std::uint8_t count) {
  return Outcome(StepOutcome::kShort).Byte(count);
}

ScriptWriter& ScriptWriter::Reply(std::span<const std::uint8_t> bytes) {
  const std::size_t n = std::min<std::size_t>(bytes.size(), 255);
  Outcome(StepOutcome::kWhole).Byte(static_cast<std::uint8_t>(n));
  return Raw(bytes.first(n));
}

ScriptWriter& ScriptWriter::Reply(std::initializer_list<std::uint8_t> bytes) {
  return Reply(std::span<const std::uint8_t>(bytes.begin(), bytes.size()));
}

ScriptWriter& ScriptWriter::ShortReply(std::span<const std::uint8_t> bytes) {
  const std::size_t n = std::min<std::size_t>(bytes.size(), 255);
  Outcome(StepOutcome::kShort).Byte(static_cast<std::uint8_t>(n));
  return Raw(bytes.first(n));
}

ScriptWriter& ScriptWriter::Raw(std::span<const std::uint8_t> bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  return *this;
}

ScriptWriter& ScriptWriter::Byte(std::uint8_t value) {
  bytes_.push_back(value);
  return *this;
}

ScriptWriter& ScriptWriter::U16(std::uint16_t value) {
  return Byte(static_cast<std::uint8_t>(value)).Byte(static_cast<std::uint8_t>(value >> 8));
}

ScriptWriter& ScriptWriter::U32(std::uint32_t value) {
  return U16(static_cast<std::uint16_t>(value)).U16(static_cast<std::uint16_t>(value >> 16));
}

}  // namespace zq::test
