#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>

namespace zq {

class CancelSignal;

enum class IoResult {
  kOk,          // the call moved `transferred` bytes (a read may be short; 0 = the peer left)
  kWouldBlock,  // only from the Try calls: nothing could move without waiting
  kCancelled,   // the cancel signal fired while the call waited
  kFailed,      // the system call failed
  kGone,        // the device or its peer is gone: the pipe will never move again
  kTimedOut,    // a limit of the transport's own ran out (a write the device never took)
};

// One open pipe of the console: each write sends one packet, each read takes
// one packet. Implemented by every transport (device directory sockets now;
// libusb bulk endpoints or a Windows driver handle later).
class Endpoint {
 public:
  virtual ~Endpoint() = default;

  // Blocking calls: wait until the packet moves, the call fails, or `cancel`
  // fires (then kCancelled, and nothing moved).
  virtual IoResult Write(std::span<const std::uint8_t> packet, std::size_t& transferred,
                         const CancelSignal& cancel) = 0;
  virtual IoResult Read(std::span<std::uint8_t> buffer, std::size_t& transferred,
                        const CancelSignal& cancel) = 0;

  // Attempts that never wait: kWouldBlock when the call would have to.
  virtual IoResult TryWrite(std::span<const std::uint8_t> packet, std::size_t& transferred) = 0;
  virtual IoResult TryRead(std::span<std::uint8_t> buffer, std::size_t& transferred) = 0;

  // Sleeps (never spins) up to `wait` until a write (or read) could move
  // without blocking; true when it could. A transport that cannot tell
  // returns false at once.
  virtual bool WaitReady(bool forWrite, std::chrono::microseconds wait) {
    (void)forWrite;
    (void)wait;
    return false;
  }

  // Whether the console's end is known to be gone (it closed the pipe, or
  // the device left), found without waiting and without taking a packet.
  // A transport that cannot tell answers false.
  virtual bool PeerGone() { return false; }

  // Brings the pipe back in step before a new exchange, after one that was
  // abandoned or failed: whatever is left of an old reply is read and thrown
  // away, and a halted pipe is made usable again.
  virtual void Resync() {}
};

}  // namespace zq
