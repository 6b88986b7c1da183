// The link keeps every reply with its own command: a reply that comes after
// its time-out is thrown away, and a console that is gone drops the pipes.
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <thread>

#include "link/link_session.h"
#include "link/wire_codes.h"
#include "platform/device_transport.h"
#include "platform/socket_endpoint.h"

namespace zq {
namespace {

using namespace std::chrono_literals;

// A console on socket pairs that answers each disk information request with
// 0x21 and the request's number in every field, the first one only after
// `lateBy`; it leaves (closes its ends) after `leaveAfter` requests.
class SlowConsole : public DeviceTransport {
 public:
  SlowConsole(std::chrono::milliseconds lateBy, int leaveAfter) {
    int toHost[2];
    int toConsole[2];
    EXPECT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_NONBLOCK, 0, toHost), 0);
    EXPECT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET, 0, toConsole), 0);
    hostRead_ = toHost[0];
    hostWrite_ = toConsole[0];
    ::fcntl(hostWrite_, F_SETFL, O_NONBLOCK);
    thread_ = std::thread([=, this] { Serve(toConsole[1], toHost[1], lateBy, leaveAfter); });
  }
  ~SlowConsole() override { thread_.join(); }

  std::unique_ptr<Endpoint> OpenPipe(std::string_view name) override {
    ++opens;
    int& fd = name == "PIPE00" ? hostRead_ : hostWrite_;
    if (fd < 0) {
      return nullptr;  // the console is gone
    }
    return std::make_unique<SocketEndpoint>(std::exchange(fd, -1));
  }
  int opens = 0;

 private:
  static void Serve(int in, int out, std::chrono::milliseconds lateBy, int leaveAfter) {
    std::uint8_t packet[256];
    std::uint8_t number = 0;
    while (number < leaveAfter && ::recv(in, packet, sizeof packet, 0) == 256) {
      std::uint8_t reply[256] = {};
      if (packet[0] == wire::cmd::kIdentify) {
        reply[15] = 2;
      } else {
        reply[0] = wire::reply::kDiskInfo;
        std::fill(reply + 1, reply + 13, ++number);
        if (number == 1) {
          std::this_thread::sleep_for(lateBy);
        }
      }
      ::send(out, reply, sizeof reply, MSG_NOSIGNAL);
    }
    ::close(in);
    ::close(out);
  }

  int hostRead_ = -1;
  int hostWrite_ = -1;
  std::thread thread_;
};

TEST(LinkResyncTest, AReplyAfterItsTimeOutNeverAnswersTheNextCommand) {
  auto console = std::make_shared<SlowConsole>(300ms, 3);
  LinkSession session(console, LinkTiming{20ms});  // the 5 s reply wait lasts 100 ms
  ASSERT_EQ(session.Connect(), status::kOk);
  std::uint32_t total = 0, used = 0, free = 0;
  EXPECT_EQ(session.QueryDiskInfo(total, used, free), status::kTimedOut);
  std::this_thread::sleep_for(400ms);  // the late reply has come meanwhile
  session.SetTiming(LinkTiming{1000ms});
  ASSERT_EQ(session.QueryDiskInfo(total, used, free), status::kOk);
  EXPECT_EQ(total, 0x02020202u);  // the second request's own reply
  ASSERT_EQ(session.QueryDiskInfo(total, used, free), status::kOk);
  EXPECT_EQ(total, 0x03030303u);
  // The console leaves: the next write finds it gone, the link drops its
  // pipes, and the next Connect asks the transport again.
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(session.QueryDiskInfo(total, used, free), status::kIoFailed);
  EXPECT_FALSE(session.IsConnected());
  EXPECT_EQ(session.QueryDiskInfo(total, used, free), status::kIoFailed);
  EXPECT_EQ(session.Connect(), status::kOpenPortFailed);
  EXPECT_EQ(console->opens, 4);
}

}  // namespace
}  // namespace zq
