#include "emulator/packet_responder.h"

#include <cstdio>
#include <thread>

namespace zq::emu {
namespace {

constexpr std::size_t kMaxRecorded = 1 << 20;  // packets kept for a test to look at

}  // namespace

PacketResponder::PacketResponder(const ConsoleConfig& config)
    : card_(config.card, config.sizeMiB * 1024u * 1024u, config.unformatted),
      protocol_(card_, config.firmwareMajor, config.firmwareMinor),
      speedKiBPerSecond_(config.speedKiBPerSecond),
      log_(config.log),
      faults_(config.faults.begin(), config.faults.end()) {}

void PacketResponder::Log(const std::string& line) const {
  if (log_) {
    log_(line);
  }
}

void PacketResponder::StartSession() {
  protocol_.Reset();
  commandSeen_ = protocol_.CommandsStarted();
  replyIndex_ = 0;
  paceStart_ = std::chrono::steady_clock::now();
  paceBytes_ = 0;
}

void PacketResponder::AddFault(const Fault& fault) {
  std::lock_guard lock(mutex_);
  faults_.push_back(fault);
}

void PacketResponder::ClearFaults() {
  std::lock_guard lock(mutex_);
  faults_.clear();
}

void PacketResponder::SetFirmware(std::uint8_t major, std::uint8_t minor) {
  std::lock_guard lock(mutex_);
  pendingFirmware_ = {major, minor};
}

void PacketResponder::SetUnformatted() {
  std::lock_guard lock(mutex_);
  pendingUnformatted_ = true;
}

void PacketResponder::SetRecording(bool on) {
  std::lock_guard lock(mutex_);
  recording_ = on;
}

std::vector<std::vector<std::uint8_t>> PacketResponder::Received() const {
  std::lock_guard lock(mutex_);
  return received_;
}

bool PacketResponder::WaitReceived(std::size_t count, std::chrono::milliseconds timeout) const {
  std::unique_lock lock(mutex_);
  return receivedChanged_.wait_for(lock, timeout, [&] { return received_.size() >= count; });
}

void PacketResponder::ClearReceived() {
  std::lock_guard lock(mutex_);
  received_.clear();
}

void PacketResponder::ApplyPending() {
  std::lock_guard lock(mutex_);
  if (pendingFirmware_) {
    protocol_.SetFirmware(pendingFirmware_->first, pendingFirmware_->second);
    pendingFirmware_.reset();
  }
  if (pendingUnformatted_) {
    card_.MarkUnformatted();
    pendingUnformatted_ = false;
  }
}

void PacketResponder::Pace(std::size_t dataBytes) {
  if (speedKiBPerSecond_ == 0 || dataBytes == 0) {
    return;
  }
  paceBytes_ += dataBytes;
  const auto due =
      paceStart_ + std::chrono::microseconds(paceBytes_ * 1000000 / (speedKiBPerSecond_ * 1024ull));
  std::this_thread::sleep_until(due);
}

bool PacketResponder::ApplyFault(OutgoingReply& reply, std::chrono::milliseconds& delay) {
  std::lock_guard lock(mutex_);
  for (auto it = faults_.begin(); it != faults_.end(); ++it) {
    if (it->command != protocol_.Command() || it->reply != replyIndex_) {
      continue;
    }
    bool send = true;
    switch (it->kind) {
      case Fault::Kind::kNoReply:
        send = false;
        break;
      case Fault::Kind::kShortReply:
        reply.length = std::min(it->length, reply.bytes.size());
        break;
      case Fault::Kind::kReplyCode:
        reply.bytes[0] = it->code;
        break;
      case Fault::Kind::kPatch:
        for (std::size_t i = 0; i < it->bytes.size() && it->offset + i < reply.bytes.size(); ++i) {
          reply.bytes[it->offset + i] = it->bytes[i];
        }
        break;
      case Fault::Kind::kLate:
        delay = std::chrono::milliseconds(it->length);
        break;
      case Fault::Kind::kStallIn:
        reply.halt = OutgoingReply::Halt::kIn;
        break;
      case Fault::Kind::kStallOut:
        reply.halt = OutgoingReply::Halt::kOut;
        break;
    }
    faults_.erase(it);
    return send;
  }
  return true;
}

std::vector<OutgoingReply> PacketResponder::OnPacket(std::span<const std::uint8_t> packet) {
  ApplyPending();
  {
    std::lock_guard lock(mutex_);
    if (recording_ && received_.size() < kMaxRecorded) {
      received_.emplace_back(packet.begin(), packet.end());
      receivedChanged_.notify_all();
    }
  }
  std::vector<Packet> replies;
  protocol_.OnPacket(packet, replies);
  if (protocol_.CommandsStarted() != commandSeen_) {
    commandSeen_ = protocol_.CommandsStarted();
    replyIndex_ = 0;
    if (log_) {
      char text[32];
      std::snprintf(text, sizeof text, "command 0x%02X", protocol_.Command());
      Log(text);
    }
  }
  Pace(protocol_.DataBytesLastPacket());
  std::vector<OutgoingReply> out;
  for (const Packet& reply : replies) {
    OutgoingReply outgoing{reply, reply.size()};
    std::chrono::milliseconds delay{0};
    const bool send = ApplyFault(outgoing, delay);
    ++replyIndex_;
    if (delay.count() > 0) {
      std::this_thread::sleep_for(delay);  // a console slow to answer
    }
    if (send) {
      out.push_back(outgoing);
    }
  }
  return out;
}

}  // namespace zq::emu
