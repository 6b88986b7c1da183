#include "link/pipe_worker.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <thread>

#include "platform/socket_endpoint.h"

namespace zq {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A connected pair: the endpoint under test and the raw peer socket.
struct Pair {
  Pair() {
    int fds[2];
    EXPECT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_NONBLOCK, 0, fds), 0);
    endpoint = std::make_unique<SocketEndpoint>(fds[0]);
    peer = fds[1];
  }
  ~Pair() { ::close(peer); }
  std::unique_ptr<SocketEndpoint> endpoint;
  int peer = -1;
};

double ThreadCpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_THREAD, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

TEST(PipeWorkerTest, ReadThatNeverCompletesTimesOutAndAFreshWorkerServesTheNext) {
  PipeWorker worker;
  Pair pair;
  std::array<std::uint8_t, 256> buffer{};
  std::size_t transferred = 99;
  EXPECT_EQ(worker.WorkersStarted(), 1);

  const double cpuBefore = ThreadCpuSeconds();
  const auto start = Clock::now();
  EXPECT_EQ(worker.TimedRead(*pair.endpoint, buffer, transferred, 150ms), status::kTimedOut);
  const auto waited = Clock::now() - start;
  const double cpu = ThreadCpuSeconds() - cpuBefore;
  EXPECT_GT(waited, 150ms);
  EXPECT_LT(waited, 1500ms);
  // The caller slept while it waited.
  EXPECT_LT(cpu, 0.05);
  EXPECT_EQ(worker.WorkersStarted(), 2);

  // The packet that comes late is read by the next request, on the new worker.
  std::thread late([&] {
    std::this_thread::sleep_for(30ms);
    const std::uint8_t packet[256] = {0x21};
    EXPECT_EQ(::send(pair.peer, packet, sizeof packet, 0), 256);
  });
  EXPECT_EQ(worker.TimedRead(*pair.endpoint, buffer, transferred, 2000ms), status::kOk);
  late.join();
  EXPECT_EQ(transferred, 256u);
  EXPECT_EQ(buffer[0], 0x21);
  EXPECT_EQ(worker.WorkersStarted(), 2);
}

TEST(PipeWorkerTest, ShortReadAndLeavingPeerAreReportedNotHidden) {
  PipeWorker worker;
  Pair pair;
  std::array<std::uint8_t, 256> buffer{};
  std::size_t transferred = 0;
  const std::uint8_t shortPacket[10] = {0x21};
  ASSERT_EQ(::send(pair.peer, shortPacket, sizeof shortPacket, 0), 10);
  EXPECT_EQ(worker.TimedRead(*pair.endpoint, buffer, transferred, 100ms), status::kOk);
  EXPECT_EQ(transferred, 10u);

  ::shutdown(pair.peer, SHUT_RDWR);
  EXPECT_EQ(worker.TimedRead(*pair.endpoint, buffer, transferred, 100ms), status::kOk);
  EXPECT_EQ(transferred, 0u);
  // A peer that left is gone for good, which the session tells from a failure.
  EXPECT_EQ(worker.TimedWrite(*pair.endpoint, buffer, transferred, 100ms), kPipeGone);
}

TEST(PipeWorkerTest, NoRequestIsLostWhileTheWorkerGoesToSleep) {
  // The peer answers each request after a delay that runs from well inside
  // the caller's grace to well past it, so requests are served on the fast
  // path and by the worker, reaching it at every point of its sleep cycle.
  PipeWorker worker;
  Pair pair;
  constexpr int kRounds = 400;
  constexpr int kDelaysMicroseconds[] = {0, 500, 1900, 2100, 3000, 6000};
  std::thread peer([&] {
    std::uint8_t packet[256] = {};
    for (int i = 0; i < kRounds; ++i) {
      std::this_thread::sleep_for(std::chrono::microseconds(kDelaysMicroseconds[i % 6]));
      packet[0] = static_cast<std::uint8_t>(i);
      if (::send(pair.peer, packet, sizeof packet, 0) != 256) {
        ADD_FAILURE() << "peer send failed";
        return;
      }
    }
  });
  std::array<std::uint8_t, 256> buffer{};
  for (int i = 0; i < kRounds; ++i) {
    std::size_t transferred = 0;
    const Status s = worker.TimedRead(*pair.endpoint, buffer, transferred, 5000ms);
    if (s != status::kOk || buffer[0] != static_cast<std::uint8_t>(i)) {
      ADD_FAILURE() << "round " << i << ": status " << s << ", byte " << int{buffer[0]};
      ::shutdown(pair.peer, SHUT_RDWR);  // lets the peer's send fail instead of blocking
      break;
    }
  }
  peer.join();
  EXPECT_EQ(worker.WorkersStarted(), 1);
  // The delays past the grace reached the worker (a sixth of the rounds
  // wait 6 ms, three times the grace; a loaded machine may queue a few).
  EXPECT_GE(worker.RequestsServed(), 5);
}

TEST(PipeWorkerTest, WriteBlockedByAFullPipeTimesOut) {
  PipeWorker worker;
  Pair pair;
  const std::array<std::uint8_t, 256> packet{};
  std::size_t transferred = 0;
  // Nobody reads the peer: the socket buffer fills, then the write must wait.
  Status s = status::kOk;
  for (int i = 0; i < 100000 && s == status::kOk; ++i) {
    s = worker.TimedWrite(*pair.endpoint, packet, transferred, 50ms);
  }
  EXPECT_EQ(s, status::kTimedOut);
  EXPECT_EQ(worker.WorkersStarted(), 2);
}

}  // namespace
}  // namespace zq
