#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>
#include <thread>

#include "link/status.h"
#include "platform/cancel_signal.h"
#include "platform/endpoint.h"

namespace zq {

// Not a status of the link: the pipe's device or peer is gone for good. The
// session turns it into status::kIoFailed after dropping its pipes.
inline constexpr Status kPipeGone = -1000;

// Moves one packet at a time through an endpoint with a time-out. A pipe call
// can block for ever when the console stops answering, so every call that has
// to wait runs on the one worker thread, which the caller abandons after the
// time-out: its blocked call is made to return through the cancel signal, the
// thread is joined and a fresh worker takes its place.
//
// The caller first tries the packet without waiting, then sleeps a short grace
// (at most kGrace, in poll, never spinning) for the endpoint to become ready,
// and hands the packet to the worker only when it is still not ready. The
// data packets of a block go out back to back and usually fit the socket
// buffer; a reply usually comes within the grace. So most packets cost what a
// plain blocking call costs, instead of two more thread wake-ups on the path
// of every round trip (measured: receiving fell to a third of the raw
// transport's rate on a loaded machine without the grace); the worker, its
// time-out and its replacement serve every longer wait.
class PipeWorker {
 public:
  PipeWorker();   // starts the worker
  ~PipeWorker();  // stops it
  PipeWorker(const PipeWorker&) = delete;
  PipeWorker& operator=(const PipeWorker&) = delete;

  // status::kOk when the call finished within `timeout` (`transferred` holds
  // the bytes moved; a short read is not an error here), status::kTimedOut
  // after more than `timeout` (or when the transport's own limit ran out),
  // kPipeGone when the device or its peer is gone, status::kIoFailed when the
  // system call failed otherwise.
  Status TimedWrite(Endpoint& endpoint, std::span<const std::uint8_t> packet,
                    std::size_t& transferred, std::chrono::milliseconds timeout);
  Status TimedRead(Endpoint& endpoint, std::span<std::uint8_t> buffer, std::size_t& transferred,
                   std::chrono::milliseconds timeout);

  static constexpr std::chrono::microseconds kGrace{2000};

  // How many worker threads were started so far (1 + one per time-out).
  int WorkersStarted() const;
  // How many requests the worker carried out (those that did not move within
  // the grace).
  int RequestsServed() const;

 private:
  enum class Kind { kIdle, kWrite, kRead };

  Status Transfer(Kind kind, Endpoint& endpoint, std::span<std::uint8_t> buffer,
                  std::size_t& transferred, std::chrono::milliseconds timeout);
  void Start();
  void KillAndReplace();
  void Run();

  mutable std::mutex mutex_;
  std::condition_variable wake_;      // a request was posted (or stop)
  std::condition_variable finished_;  // the request is done
  // The request block: written by the caller before it wakes the worker; the
  // worker writes the result and the count before it sets `done_`.
  Kind kind_ = Kind::kIdle;
  Endpoint* endpoint_ = nullptr;
  std::span<std::uint8_t> buffer_;
  bool done_ = false;
  IoResult result_ = IoResult::kOk;
  std::size_t transferred_ = 0;
  bool stop_ = false;
  int workersStarted_ = 0;
  int requestsServed_ = 0;

  CancelSignal cancel_;
  std::thread thread_;
};

}  // namespace zq
