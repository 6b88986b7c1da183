// LinkSession: packets, the common step rules, connect and the queries.
#include "link/link_session.h"

#include <algorithm>
#include <cstring>

#include "link/pipe_worker.h"
#include "link/wire_codes.h"
#include "platform/device_directory.h"
#include "platform/endpoint.h"
#include "platform/transport_choice.h"

namespace zq {

static_assert(LinkSession::kPacketSize == wire::kPacketSize);
static_assert(LinkSession::kLargeBlock == wire::kLargeBlock);
static_assert(LinkSession::kSmallBlock == wire::kSmallBlock);

LinkSession::LinkSession(std::shared_ptr<DeviceTransport> transport, LinkTiming timing)
    : transport_(std::move(transport)), timing_(timing), worker_(std::make_unique<PipeWorker>()) {
  if (!transport_) {
    transport_ = MakeConsoleTransport().transport;
  }
}

LinkSession::~LinkSession() {
  ClosePipes();
}

void LinkSession::ClosePipes() {
  readPipe_.reset();
  writePipe_.reset();
}

void LinkSession::Reset() {
  readPipeName_.clear();
  writePipeName_.clear();
  // Forgetting a handle closes it: nothing else would.
  ClosePipes();
}

Status LinkSession::Settle(Status s) {
  if (s == kPipeGone) {
    connected_ = false;
    ClosePipes();
    return status::kIoFailed;
  }
  return s;
}

Status LinkSession::Step(Status s) {
  if (s != status::kOk) {
    outOfStep_ = true;
  }
  if (s == status::kTimedOut) {
    connected_ = false;
    return status::kTimedOut;
  }
  return s == status::kOk ? status::kOk : status::kIoFailed;
}

Status LinkSession::StoppedInside() {
  needsFreshSession_ = true;
  return status::kStopped;
}

Status LinkSession::BringInStep() {
  if (needsFreshSession_) {
    // The console still waits for the rest of a block (or the host's go-on
    // inside a chunk) and would take the next command for it. Opening the
    // pipes anew starts a fresh session: the console drops the exchange.
    needsFreshSession_ = false;
    outOfStep_ = false;
    return Connect();
  }
  if (outOfStep_) {
    outOfStep_ = false;
    if (readPipe_) {
      readPipe_->Resync();
    }
    if (writePipe_) {
      writePipe_->Resync();
    }
  }
  return status::kOk;
}

Status LinkSession::WritePacket() {
  if (!writePipe_) {
    return status::kIoFailed;
  }
  std::size_t transferred = 0;
  const Status s = Settle(worker_->TimedWrite(*writePipe_, packet_, transferred, Seconds(5)));
  if (s == status::kOk && transferred != kPacketSize) {
    return status::kIoFailed;  // a packet that did not go out whole
  }
  return s;
}

Status LinkSession::SendCode(std::uint8_t code) {
  // Every command starts with a code packet; inside an exchange no flag is set.
  if (const Status s = BringInStep(); s != status::kOk) {
    return s;
  }
  packet_.fill(0);
  packet_[0] = code;
  return WritePacket();
}

Status LinkSession::SendString(std::string_view text) {
  // A longer text cannot be carried; sending it cut would name another path.
  if (!FitsStringPacket(text)) {
    return status::kIoFailed;
  }
  packet_.fill(0);
  packet_[0] = static_cast<std::uint8_t>(text.size());
  std::copy(text.begin(), text.end(), packet_.begin() + 1);
  return WritePacket();
}

Status LinkSession::SendValue(std::uint32_t value) {
  packet_.fill(0);
  for (std::size_t i = 0; i < 4; ++i) {
    packet_[i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
  return WritePacket();
}

Status LinkSession::SendData(std::span<const std::uint8_t> bytes) {
  if (bytes.size() > kPacketSize) {
    return status::kIoFailed;
  }
  packet_.fill(0);
  std::copy(bytes.begin(), bytes.end(), packet_.begin());
  return WritePacket();
}

Status LinkSession::ReceiveReply(int timeoutSeconds) {
  packet_.fill(0);
  received_ = 0;
  if (!readPipe_) {
    return status::kIoFailed;
  }
  return Settle(worker_->TimedRead(*readPipe_, packet_, received_, Seconds(timeoutSeconds)));
}

Status LinkSession::ReadReply(int timeoutSeconds) {
  if (const Status s = Step(ReceiveReply(timeoutSeconds)); s != status::kOk) {
    return s;
  }
  if (received_ != kPacketSize) {
    outOfStep_ = true;
    return status::kCommError;
  }
  return status::kOk;
}

Status LinkSession::Expect(int timeoutSeconds, std::uint8_t expected, bool pathMissing,
                           bool unformatted) {
  if (const Status s = ReadReply(timeoutSeconds); s != status::kOk) {
    return s;
  }
  const std::uint8_t code = packet_[0];
  if (code == expected) {
    return status::kOk;
  }
  if (code == wire::reply::kFailed) {
    return status::kConsoleFailed;
  }
  if (pathMissing && code == wire::reply::kPathMissing) {
    return status::kPathMissing;
  }
  if (unformatted && code == wire::reply::kNotFormatted) {
    return status::kUnformatted;
  }
  outOfStep_ = true;  // a reply out of place may belong to another exchange
  return status::kCommError;
}

bool LinkSession::FitsStringPacket(std::string_view text) {
  return text.size() <= wire::kMaxStringLength;
}

Status LinkSession::SendCommand(std::uint8_t code, std::string_view text) {
  // Checked before the code packet: a console that got the code would take
  // the next command's packet for the text it still waits for.
  if (!FitsStringPacket(text)) {
    return status::kIoFailed;
  }
  if (const Status s = Step(SendCode(code)); s != status::kOk) {
    return s;
  }
  return Step(SendString(text));
}

Status LinkSession::SimpleCommand(std::uint8_t code, std::string_view text, int timeoutSeconds,
                                  std::uint8_t expected, bool pathMissing) {
  if (const Status s = SendCommand(code, text); s != status::kOk) {
    return s;
  }
  return Expect(timeoutSeconds, expected, pathMissing);
}

Status LinkSession::Connect() {
  connected_ = false;
  outOfStep_ = false;
  needsFreshSession_ = false;
  readPipeName_ = kConsoleToHostPipe;
  writePipeName_ = kHostToConsolePipe;
  ClosePipes();
  readPipe_ = transport_->OpenPipe(readPipeName_);
  writePipe_ = transport_->OpenPipe(writePipeName_);
  if (!readPipe_ || !writePipe_) {
    ClosePipes();
    return status::kOpenPortFailed;
  }
  // Nothing a console sent before this session may answer its first command.
  readPipe_->Resync();
  if (const Status s = Step(SendCode(wire::cmd::kIdentify)); s != status::kOk) {
    return s;
  }
  if (const Status s = ReadReply(5); s != status::kOk) {
    return s;
  }
  connected_ = true;
  std::copy_n(packet_.begin(), identification_.size(), identification_.begin());
  firmwareMajor_ = packet_[wire::kFirmwareMajorOffset];
  firmwareMinor_ = packet_[wire::kFirmwareMinorOffset];
  const bool large = firmwareMajor_ > 1 || (firmwareMajor_ == 1 && firmwareMinor_ >= 5);
  blockSize_ = large ? kLargeBlock : kSmallBlock;
  return status::kOk;
}

Status LinkSession::Disconnect() {
  Status s = status::kOk;
  // A console still inside a stopped exchange would take the leave packet
  // for its data; closing the pipes ends its session all the same.
  if (writePipe_ && !needsFreshSession_) {
    s = Step(SendCode(wire::cmd::kLeave));
  }
  ClosePipes();
  needsFreshSession_ = false;
  outOfStep_ = false;
  // Both pipes are gone, so the link is down whatever the leave packet did.
  connected_ = false;
  return s == status::kTimedOut || s == status::kIoFailed ? s : status::kOk;
}

bool LinkSession::ConsoleGone() {
  return (readPipe_ && readPipe_->PeerGone()) || (writePipe_ && writePipe_->PeerGone());
}

void LinkSession::Drop() {
  ClosePipes();
  connected_ = false;
}

Status LinkSession::Query(int kind, std::span<std::uint8_t> out) {
  if (kind == 2) {
    if (out.size() < wire::kIdentificationSize) {
      return status::kBadQueryKind;
    }
    if (const Status s = Step(SendCode(wire::cmd::kIdentify)); s != status::kOk) {
      return s;
    }
    if (const Status s = ReadReply(5); s != status::kOk) {
      return s;
    }
    std::copy_n(packet_.begin(), wire::kIdentificationSize, out.begin());
    return status::kOk;
  }
  if (kind == 6) {
    if (out.size() < 12) {
      return status::kBadQueryKind;
    }
    if (const Status s = Step(SendCode(wire::cmd::kDiskInfo)); s != status::kOk) {
      return s;
    }
    if (const Status s = Expect(5, wire::reply::kDiskInfo); s != status::kOk) {
      return s;
    }
    std::copy_n(packet_.begin() + 1, 12, out.begin());
    return status::kOk;
  }
  return status::kBadQueryKind;
}

}  // namespace zq
