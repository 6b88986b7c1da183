#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "emulator/card.h"
#include "emulator/console_protocol.h"

namespace zq::emu {

// A fault the console plays once, at one reply of one command.
//   kNoReply:    the reply is not sent (the host times out);
//   kShortReply: only the first `length` bytes of the reply are sent;
//   kReplyCode:  byte 0 of the reply is replaced by `code`;
//   kPatch:      the reply's bytes from `offset` on are replaced by `bytes`
//                (a bogus size, chunk length or name length);
//   kLate:       the reply is sent `length` milliseconds late;
//   kStallIn:    instead of the reply the console halts its IN endpoint;
//   kStallOut:   after the reply the console halts its OUT endpoint.
// The console drops the exchange when it halts an endpoint. Over the device
// directory's sockets, which cannot halt, kStallIn sends nothing and
// kStallOut is the plain reply.
// `command` is the command code the host started the exchange with (0x40,
// 0x95, 0xD0, ...); `reply` counts that command's replies from 0. For
// example Fault::ReplyCode(0x95, 2, 0xFF) answers the third reply of a full
// listing with 0xFF (a listing that fails half-way), and Fault::NoReply(0x70,
// 0) leaves the file size of a receive unanswered.
struct Fault {
  enum class Kind { kNoReply, kShortReply, kReplyCode, kPatch, kLate, kStallIn, kStallOut };
  Kind kind = Kind::kNoReply;
  std::uint8_t command = 0;
  int reply = 0;
  std::uint8_t code = 0;
  std::size_t length = 0;
  std::size_t offset = 0;
  std::vector<std::uint8_t> bytes;

  static Fault NoReply(std::uint8_t command, int reply) {
    Fault f;
    f.kind = Kind::kNoReply;
    f.command = command;
    f.reply = reply;
    return f;
  }
  static Fault ShortReply(std::uint8_t command, int reply, std::size_t length) {
    Fault f = NoReply(command, reply);
    f.kind = Kind::kShortReply;
    f.length = length;
    return f;
  }
  static Fault ReplyCode(std::uint8_t command, int reply, std::uint8_t code) {
    Fault f = NoReply(command, reply);
    f.kind = Kind::kReplyCode;
    f.code = code;
    return f;
  }
  static Fault Late(std::uint8_t command, int reply, std::size_t milliseconds) {
    Fault f = NoReply(command, reply);
    f.kind = Kind::kLate;
    f.length = milliseconds;
    return f;
  }
  static Fault Stall(std::uint8_t command, int reply, bool in) {
    Fault f = NoReply(command, reply);
    f.kind = in ? Kind::kStallIn : Kind::kStallOut;
    return f;
  }
  static Fault Patch(std::uint8_t command, int reply, std::size_t offset,
                     std::vector<std::uint8_t> bytes) {
    Fault f = NoReply(command, reply);
    f.kind = Kind::kPatch;
    f.offset = offset;
    f.bytes = std::move(bytes);
    return f;
  }
};

struct ConsoleConfig {
  std::filesystem::path card;       // host folder that holds the card
  std::filesystem::path deviceDir;  // device directory the interface folder goes into
  std::string interfaceName;        // empty: "zq61-emu-<pid>"
  std::uint32_t sizeMiB = 16;
  std::uint8_t firmwareMajor = 2;
  std::uint8_t firmwareMinor = 0;
  bool unformatted = false;
  std::uint32_t speedKiBPerSecond = 0;  // file data rate; 0 = no limit
  // The console gives up on a block whose data packets stop coming for this
  // long (a host that stopped in the middle of a block) and ends the host's
  // session, so that no data packet is ever taken for a command.
  std::chrono::milliseconds blockGap{2000};
  std::function<void(const std::string&)> log;  // --verbose lines; empty = silent
  std::vector<Fault> faults;                    // played once each, in order
};

// One reply as it goes out: the packet and how many of its bytes are sent.
struct OutgoingReply {
  enum class Halt { kNone, kIn, kOut };
  Packet bytes;
  std::size_t length;
  Halt halt = Halt::kNone;  // kIn: halt IN instead of sending; kOut: halt OUT after it
};

// What the console does with each packet of a session, whatever carries the
// packets (the device directory's sockets or a USB gadget): it records the
// packet for tests, runs the protocol, paces file data at the line speed and
// plays the scripted faults on the replies.
//
// The scripting calls are safe from any thread while another one serves.
class PacketResponder {
 public:
  // The card, firmware, line speed, log and faults of `config`.
  explicit PacketResponder(const ConsoleConfig& config);
  PacketResponder(const PacketResponder&) = delete;
  PacketResponder& operator=(const PacketResponder&) = delete;

  // A --verbose line, when there is a log.
  void Log(const std::string& line) const;

  // A new host session: the protocol waits for a command.
  void StartSession();
  // The host stopped in the middle of an exchange: back to waiting for a command.
  void Abandon() { protocol_.Reset(); }
  // The replies to send for one packet (at most 256 bytes), faults applied.
  std::vector<OutgoingReply> OnPacket(std::span<const std::uint8_t> packet);
  bool LeaveRequested() const { return protocol_.LeaveRequested(); }
  bool InBlock() const { return protocol_.InBlock(); }

  void AddFault(const Fault& fault);
  void ClearFaults();
  void SetFirmware(std::uint8_t major, std::uint8_t minor);
  void SetUnformatted();
  void SetRecording(bool on);
  std::vector<std::vector<std::uint8_t>> Received() const;
  void ClearReceived();
  bool WaitReceived(std::size_t count, std::chrono::milliseconds timeout) const;

 private:
  void ApplyPending();
  void Pace(std::size_t dataBytes);
  // Plays the first queued fault meant for this reply; false when it is
  // dropped. `delay` gets how late it goes out.
  bool ApplyFault(OutgoingReply& reply, std::chrono::milliseconds& delay);

  Card card_;
  ConsoleProtocol protocol_;
  std::uint32_t speedKiBPerSecond_;
  std::function<void(const std::string&)> log_;
  std::uint64_t commandSeen_ = 0;
  int replyIndex_ = 0;
  std::chrono::steady_clock::time_point paceStart_;
  std::uint64_t paceBytes_ = 0;

  mutable std::mutex mutex_;  // guards what the scripting calls touch
  mutable std::condition_variable receivedChanged_;
  std::deque<Fault> faults_;
  std::optional<std::pair<std::uint8_t, std::uint8_t>> pendingFirmware_;
  bool pendingUnformatted_ = false;
  bool recording_ = false;
  std::vector<std::vector<std::uint8_t>> received_;
};

}  // namespace zq::emu
