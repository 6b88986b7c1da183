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
#include "emulator/packet_responder.h"

namespace zq::emu {

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

  void AddFault(const Fault& fault) { responder_.AddFault(fault); }
  void ClearFaults() { responder_.ClearFaults(); }
  void SetFirmware(std::uint8_t major, std::uint8_t minor) { responder_.SetFirmware(major, minor); }
  void SetUnformatted() { responder_.SetUnformatted(); }
  void SetRecording(bool on) { responder_.SetRecording(on); }
  std::vector<std::vector<std::uint8_t>> Received() const { return responder_.Received(); }
  void ClearReceived() { responder_.ClearReceived(); }
  // Waits until at least `count` packets were received (a host that writes
  // without waiting for a reply is ahead of the console); false on time-out.
  bool WaitReceived(std::size_t count, std::chrono::milliseconds timeout) const {
    return responder_.WaitReceived(count, timeout);
  }
  // Sessions that have ended so far, and whether one is being served now.
  int SessionsEnded() const { return sessionsEnded_.load(); }
  bool InSession() const { return inSession_.load(); }

 private:
  void Log(const std::string& line) const { responder_.Log(line); }
  void AcceptAll();
  bool StartSession();
  void EndSession(const char* why);
  // Reads and answers one packet of the session; false when the session ends.
  bool ServePacket();
  bool SendReply(const Packet& reply, std::size_t length);

  ConsoleConfig config_;
  PacketResponder responder_;
  std::filesystem::path interfaceDir_;
  int listen00_ = -1;
  int listen02_ = -1;
  int stopFd_ = -1;
  std::deque<int> waiting00_;  // console-to-host connections not yet paired
  std::deque<int> waiting02_;  // host-to-console connections waiting for their session
  int session00_ = -1;
  int session02_ = -1;
  std::atomic<int> sessionsEnded_{0};
  std::atomic<bool> inSession_{false};
};

}  // namespace zq::emu
