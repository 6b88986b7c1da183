#pragma once

#include <linux/aio_abi.h>

#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "emulator/card.h"
#include "emulator/console.h"
#include "emulator/packet_responder.h"

namespace zq::emu {

// The console as a real USB device: the same card and protocol served
// through a mounted FunctionFS instance (the kernel's gadget framework).
// Open() writes the descriptors and strings to ep0; once the gadget is bound
// to a device controller, a host sees one vendor-specific interface with a
// bulk OUT and a bulk IN endpoint.
//
// Serving: ep0's events drive the session. ENABLE (the host configured the
// device, or set the interface's alternate setting as the host transport
// does when it claims it) starts a fresh session; DISABLE and UNBIND (a
// cable pulled) end it, as a closed socket does, and so does a block whose
// data stops coming, after which nothing is read until the next ENABLE. A
// failed transfer ends nothing by itself, and a read that brought a packet
// is always served. One read of exactly 256
// bytes is kept queued on the OUT endpoint (a larger read would wait for
// more at full speed, where a 256-byte transfer ends without a short
// packet); replies go out one write each on the IN endpoint, in order. The
// endpoint I/O is Linux AIO signalled through an eventfd, so one thread
// polls ep0, the completions and the stop signal together.
class GadgetConsole {
 public:
  GadgetConsole(ConsoleConfig config, std::filesystem::path functionFs);
  ~GadgetConsole();
  GadgetConsole(const GadgetConsole&) = delete;
  GadgetConsole& operator=(const GadgetConsole&) = delete;

  // Writes the descriptors and opens the endpoint files; false with `error`.
  bool Open(std::string& error);
  // Serves until Stop().
  void Run();
  // Makes Run() return soon. Async-signal-safe.
  void Stop();
  void Close();

 private:
  struct Operation;

  void Log(const std::string& line) const { responder_.Log(line); }
  void OnEvent(const std::uint8_t* event);
  void StartSession();
  void EndSession(const char* why);
  bool Submit(std::unique_ptr<Operation> op);
  void SubmitRead();
  void SubmitNextWrite();
  void Halt(int fd, const char* which);
  void ReapCompletions();
  void OnCompleted(Operation& op, long long result);
  void CancelAll();
  void CancelWrites();

  ConsoleConfig config_;
  std::filesystem::path functionFs_;
  PacketResponder responder_;
  int ep0_ = -1;
  int out_ = -1;
  int in_ = -1;
  int stopFd_ = -1;
  int aioFd_ = -1;
  aio_context_t aio_ = 0;
  bool enabled_ = false;
  std::uint64_t generation_ = 0;  // sessions so far; writes of older ones are dropped
  Operation* read_ = nullptr;     // the read in flight on the OUT endpoint
  bool writing_ = false;
  std::uint16_t inMaxPacket_ = 512;
  std::deque<OutgoingReply> replies_;
  std::vector<Operation*> pending_;  // submitted, not yet completed
};

}  // namespace zq::emu
