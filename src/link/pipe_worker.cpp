#include "link/pipe_worker.h"

#include <algorithm>

namespace zq {
namespace {

Status ToStatus(IoResult r) {
  switch (r) {
    case IoResult::kOk:
      return status::kOk;
    case IoResult::kTimedOut:
      return status::kTimedOut;
    case IoResult::kGone:
      return kPipeGone;
    default:
      return status::kIoFailed;
  }
}

}  // namespace

PipeWorker::PipeWorker() {
  Start();
}

PipeWorker::~PipeWorker() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
    kind_ = Kind::kIdle;
  }
  cancel_.Fire();
  wake_.notify_all();
  thread_.join();
}

int PipeWorker::WorkersStarted() const {
  std::lock_guard lock(mutex_);
  return workersStarted_;
}

int PipeWorker::RequestsServed() const {
  std::lock_guard lock(mutex_);
  return requestsServed_;
}

void PipeWorker::Start() {
  {
    std::lock_guard lock(mutex_);
    stop_ = false;
    ++workersStarted_;
  }
  cancel_.Clear();
  thread_ = std::thread([this] { Run(); });
  // The worker runs at the normal priority: it sleeps in poll() and is woken
  // by the kernel when its packet moves, which raising it would not speed up.
}

void PipeWorker::KillAndReplace() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  cancel_.Fire();  // the blocked pipe call returns kCancelled
  wake_.notify_all();
  thread_.join();
  Start();
}

void PipeWorker::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    // The predicate is checked under the lock, so a request posted while the
    // worker is about to sleep is seen, never lost.
    wake_.wait(lock, [this] { return stop_ || kind_ != Kind::kIdle; });
    if (stop_) {
      return;
    }
    const Kind kind = kind_;
    Endpoint* endpoint = endpoint_;
    const std::span<std::uint8_t> buffer = buffer_;
    lock.unlock();

    std::size_t moved = 0;
    const IoResult r = kind == Kind::kWrite ? endpoint->Write(buffer, moved, cancel_)
                                            : endpoint->Read(buffer, moved, cancel_);
    lock.lock();
    if (stop_ || kind_ != kind) {
      return;  // abandoned after a time-out: the caller has moved on
    }
    transferred_ = moved;
    result_ = r;
    done_ = true;
    ++requestsServed_;
    kind_ = Kind::kIdle;
    finished_.notify_one();
  }
}

Status PipeWorker::Transfer(Kind kind, Endpoint& endpoint, std::span<std::uint8_t> buffer,
                            std::size_t& transferred, std::chrono::milliseconds timeout) {
  transferred = 0;
  // Fast path: the packet may move at once without waking anybody.
  IoResult r = kind == Kind::kWrite ? endpoint.TryWrite(buffer, transferred)
                                    : endpoint.TryRead(buffer, transferred);
  if (r != IoResult::kWouldBlock) {
    return ToStatus(r);
  }
  const auto start = std::chrono::steady_clock::now();
  // A short sleep for readiness, well inside any time-out.
  const auto grace = std::min<std::chrono::microseconds>(kGrace, timeout / 4);
  if (endpoint.WaitReady(kind == Kind::kWrite, grace)) {
    r = kind == Kind::kWrite ? endpoint.TryWrite(buffer, transferred)
                             : endpoint.TryRead(buffer, transferred);
    if (r != IoResult::kWouldBlock) {
      return ToStatus(r);
    }
  }

  std::unique_lock lock(mutex_);
  endpoint_ = &endpoint;
  buffer_ = buffer;
  done_ = false;
  kind_ = kind;
  wake_.notify_one();
  // Time-out only once strictly more than `timeout` has passed.
  const auto deadline = start + timeout + std::chrono::microseconds(1);
  while (!done_) {
    if (finished_.wait_until(lock, deadline) == std::cv_status::timeout && !done_) {
      break;
    }
  }
  if (done_) {
    transferred = transferred_;
    return ToStatus(result_);
  }
  kind_ = Kind::kIdle;
  endpoint_ = nullptr;
  lock.unlock();
  KillAndReplace();
  return status::kTimedOut;
}

Status PipeWorker::TimedWrite(Endpoint& endpoint, std::span<const std::uint8_t> packet,
                              std::size_t& transferred, std::chrono::milliseconds timeout) {
  // The worker only reads from a write buffer; one request slot serves both kinds.
  const std::span<std::uint8_t> bytes(const_cast<std::uint8_t*>(packet.data()), packet.size());
  return Transfer(Kind::kWrite, endpoint, bytes, transferred, timeout);
}

Status PipeWorker::TimedRead(Endpoint& endpoint, std::span<std::uint8_t> buffer,
                             std::size_t& transferred, std::chrono::milliseconds timeout) {
  return Transfer(Kind::kRead, endpoint, buffer, transferred, timeout);
}

}  // namespace zq
