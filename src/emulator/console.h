#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "emulator/card.h"
#include "emulator/console_protocol.h"

namespace zq::emu {

struct ConsoleConfig {
  std::filesystem::path card;       // host folder that holds the card
  std::filesystem::path deviceDir;  // device directory the interface folder goes into
  std::string interfaceName;        // empty: "zq61-emu-<pid>"
  std::uint32_t sizeMiB = 16;
  std::uint8_t firmwareMajor = 2;
  std::uint8_t firmwareMinor = 0;
  bool unformatted = false;
  std::uint32_t speedKiBPerSecond = 0;  // file data rate; 0 = no limit
  // The console abandons a block whose data packets stop coming for this long
  // (a host that stopped in the middle of a block), and waits for a command.
  std::chrono::milliseconds blockGap{2000};
  std::function<void(const std::string&)> log;  // --verbose lines; empty = silent
};

// A fault the console plays once, at one reply of one command.
//   kNoReply:    the reply is not sent (the host times out);
//   kShortReply: only the first `length` bytes of the reply are sent;
//   kReplyCode:  byte 0 of the reply is replaced by `code`;
//   kPatch:      the reply's bytes from `offset` on are replaced by `bytes`
//                (a bogus size, chunk length or name length).
// `command` is the command code the host started the exchange with (0x40,
// 0x95, 0xD0, ...); `reply` counts that command's replies from 0. For
// example Fault::ReplyCode(0x95, 2, 0xFF) answers the third reply of a full
// listing with 0xFF (a listing that fails half-way), and Fault::NoReply(0x70,
// 0) leaves the file size of a receive unanswered.
struct Fault {
  enum class Kind { kNoReply, kShortReply, kReplyCode, kPatch };
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
  static Fault Patch(std::uint8_t command, int reply, std::size_t offset,
                     std::vector<std::uint8_t> bytes) {
    Fault f = NoReply(command, reply);
    f.kind = Kind::kPatch;
    f.offset = offset;
    f.bytes = std::move(bytes);
    return f;
  }
};

// The ZQ61 console in PC-Link mode, standing in for the console and its USB
// driver. It creates one interface folder in the device directory with the
// endpoints PIPE00 (console to host) and PIPE02 (host to console), and serves
// one host session at a time from a card kept in a host folder.
//
// Connections: a connection to PIPE00 that closes without data is a probe of
// the device search and is dropped. A connection to PIPE02 is paired with the
// oldest PIPE00 connection still open; together they are one session, which
// ends when the host sends 0x10 or closes either pipe. Hosts that connect
// meanwhile wait their turn.
//
// Scripting, for tests (every call is safe from any thread while Run() goes
// on in another): AddFault() queues one-shot faults, matched in the order
// added; SetFirmware() and SetUnformatted() take effect at the next packet;
// Received() gives every packet the console read, in order, as it arrived
// (a short packet is short), while recording is on.
class Console {
 public:
  explicit Console(ConsoleConfig config);
  ~Console();
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  // Creates the interface folder and its endpoints; false with `error` set
  // when that is impossible.
  bool Open(std::string& error);
  // Serves hosts until Stop(). Open() must have succeeded.
  void Run();
  // Makes Run() return soon. Async-signal-safe.
  void Stop();
  // Removes the endpoints and the interface folder (the destructor does too).
  void Close();

  const std::filesystem::path& InterfaceDir() const { return interfaceDir_; }

  void AddFault(const Fault& fault);
  void ClearFaults();
  void SetFirmware(std::uint8_t major, std::uint8_t minor);
  void SetUnformatted();
  void SetRecording(bool on);
  std::vector<std::vector<std::uint8_t>> Received() const;
  void ClearReceived();
  // Waits until at least `count` packets were received (a host that writes
  // without waiting for a reply is ahead of the console); false on time-out.
  bool WaitReceived(std::size_t count, std::chrono::milliseconds timeout) const;
  // Sessions that have ended so far, and whether one is being served now.
  int SessionsEnded() const { return sessionsEnded_.load(); }
  bool InSession() const { return inSession_.load(); }

 private:
  void Log(const std::string& line) const;
  void AcceptAll();
  bool StartSession();
  void EndSession(const char* why);
  // Reads and answers one packet of the session; false when the session ends.
  bool ServePacket();
  bool SendReply(const Packet& reply, std::size_t length);
  void ApplyPending();
  void Pace(std::size_t dataBytes);

  ConsoleConfig config_;
  Card card_;
  ConsoleProtocol protocol_;
  std::filesystem::path interfaceDir_;
  int listen00_ = -1;
  int listen02_ = -1;
  int stopFd_ = -1;
  std::deque<int> waiting00_;  // console-to-host connections not yet paired
  std::deque<int> waiting02_;  // host-to-console connections waiting for their session
  int session00_ = -1;
  int session02_ = -1;
  std::uint64_t commandSeen_ = 0;
  int replyIndex_ = 0;
  std::chrono::steady_clock::time_point paceStart_;
  std::uint64_t paceBytes_ = 0;
  std::atomic<int> sessionsEnded_{0};
  std::atomic<bool> inSession_{false};

  mutable std::mutex mutex_;  // guards what the scripting calls touch
  mutable std::condition_variable receivedChanged_;
  std::deque<Fault> faults_;
  std::optional<std::pair<std::uint8_t, std::uint8_t>> pendingFirmware_;
  bool pendingUnformatted_ = false;
  bool recording_ = false;
  std::vector<std::vector<std::uint8_t>> received_;
};

}  // namespace zq::emu
