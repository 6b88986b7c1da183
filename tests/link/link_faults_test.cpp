// How the session turns console faults into status codes.
#include <gtest/gtest.h>

#include "emulator/console.h"
#include "link/link_session.h"
#include "link/wire_codes.h"
#include "platform/device_transport.h"
#include "support/emulated_console.h"

namespace zq {
namespace {

using emu::Fault;
using test::EmulatedConsole;

TEST(LinkFaultsTest, ShortReplyIsACommunicationErrorWhateverItsFirstByte) {
  EmulatedConsole console;
  auto session = console.Connected();
  std::uint32_t total = 0, used = 0, free = 0;
  // The short reply still starts with the right code 0x21.
  console.Console().AddFault(Fault::ShortReply(wire::cmd::kDiskInfo, 0, 100));
  EXPECT_EQ(session->QueryDiskInfo(total, used, free), status::kCommError);
  console.Console().AddFault(Fault::ShortReply(wire::cmd::kCreateFolder, 0, 1));
  EXPECT_EQ(session->CreateFolder("zq:\\game\\x"), status::kCommError);
  EXPECT_TRUE(session->IsConnected());
  // The identification is checked for its length too.
  console.Console().AddFault(Fault::ShortReply(wire::cmd::kIdentify, 0, 255));
  EXPECT_EQ(session->Connect(), status::kCommError);
  EXPECT_FALSE(session->IsConnected());
}

TEST(LinkFaultsTest, TimeOutOnACommandClearsTheConnectedFlag) {
  EmulatedConsole console;
  auto session = console.Connected(std::chrono::milliseconds(20));
  console.Console().AddFault(Fault::NoReply(wire::cmd::kDiskInfo, 0));
  std::uint32_t total = 0, used = 0, free = 0;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(session->QueryDiskInfo(total, used, free), status::kTimedOut);
  EXPECT_GT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
  EXPECT_FALSE(session->IsConnected());
  // The pipes stay open: the next command is answered.
  session->SetTiming(LinkTiming{EmulatedConsole::kRoomySecond});
  EXPECT_EQ(session->QueryDiskInfo(total, used, free), status::kOk);
}

TEST(LinkFaultsTest, ReplyCodesMapToStatuses) {
  EmulatedConsole console;
  auto session = console.Connected();
  std::uint32_t total = 0, used = 0, free = 0;
  console.Console().AddFault(Fault::ReplyCode(wire::cmd::kDiskInfo, 0, 0xFF));
  EXPECT_EQ(session->QueryDiskInfo(total, used, free), status::kConsoleFailed);
  console.Console().AddFault(Fault::ReplyCode(wire::cmd::kDiskInfo, 0, 0xFE));
  EXPECT_EQ(session->QueryDiskInfo(total, used, free), status::kCommError);
  console.Console().AddFault(Fault::ReplyCode(wire::cmd::kRemoveFile, 0, 0xFE));
  EXPECT_EQ(session->RemoveFile("zq:\\game\\none.bin"), status::kCommError);
  // Format: a refusal as the first reply is unexpected; as the second it is a failure.
  console.Console().AddFault(Fault::ReplyCode(wire::cmd::kFormat, 0, 0xFF));
  EXPECT_EQ(session->FormatCard(60), status::kCommError);
  // The host does not resynchronise: the console's second reply is still
  // queued, so start afresh.
  ASSERT_EQ(session->Connect(), status::kOk);
  console.Console().AddFault(Fault::ReplyCode(wire::cmd::kFormat, 1, 0xFF));
  EXPECT_EQ(session->FormatCard(60), status::kConsoleFailed);
  EXPECT_EQ(session->FormatCard(60), status::kOk);
  std::array<std::uint8_t, 24> id{};
  EXPECT_EQ(session->Query(3, id), status::kBadQueryKind);
  EXPECT_EQ(session->Query(2, id), status::kOk);
  EXPECT_EQ(id, session->Identification());
}

// A transport whose read pipe opens and whose write pipe does not; it notes
// whether the read pipe was closed again.
class HalfOpenTransport : public DeviceTransport {
 public:
  struct Pipe : Endpoint {
    explicit Pipe(bool& closed) : closed_(closed) {}
    ~Pipe() override { closed_ = true; }
    IoResult Write(std::span<const std::uint8_t>, std::size_t&, const CancelSignal&) override {
      return IoResult::kFailed;
    }
    IoResult Read(std::span<std::uint8_t>, std::size_t&, const CancelSignal&) override {
      return IoResult::kFailed;
    }
    IoResult TryWrite(std::span<const std::uint8_t>, std::size_t&) override {
      return IoResult::kFailed;
    }
    IoResult TryRead(std::span<std::uint8_t>, std::size_t&) override { return IoResult::kFailed; }
    bool& closed_;
  };
  std::unique_ptr<Endpoint> OpenPipe(std::string_view name) override {
    opened += std::string(name) + " ";
    if (name == "PIPE00") {
      readClosed = false;
      return std::make_unique<Pipe>(readClosed);
    }
    return nullptr;
  }
  std::string opened;
  bool readClosed = true;
};

TEST(LinkFaultsTest, WritePipeFailingClosesTheReadPipe) {
  auto transport = std::make_shared<HalfOpenTransport>();
  LinkSession session(transport);
  EXPECT_EQ(session.Connect(), status::kOpenPortFailed);
  EXPECT_EQ(transport->opened, "PIPE00 PIPE02 ");
  EXPECT_TRUE(transport->readClosed);
  EXPECT_FALSE(session.IsConnected());
  // Without pipes every packet fails plainly.
  EXPECT_EQ(session.SendCode(0x20), status::kIoFailed);
}

TEST(LinkFaultsTest, NoConsoleFailsToOpen) {
  EmulatedConsole console;
  auto session = console.MakeSession();
  std::filesystem::remove_all(console.DeviceDir() / "console0");
  EXPECT_EQ(session->Connect(), status::kOpenPortFailed);
}

TEST(LinkFaultsTest, ConsoleThatLeavesGivesErrorsNotHangs) {
  auto console = std::make_unique<EmulatedConsole>();
  auto session = console->Connected();
  console.reset();  // the console goes away with the session open
  std::uint32_t total = 0, used = 0, free = 0;
  const Status s = session->QueryDiskInfo(total, used, free);
  EXPECT_TRUE(s == status::kIoFailed || s == status::kCommError) << s;
}

TEST(LinkFaultsTest, OnlyOneHostIsServedAtATime) {
  EmulatedConsole console;
  auto first = console.Connected();
  auto second = console.MakeSession(std::chrono::milliseconds(40));
  EXPECT_EQ(second->Connect(), status::kTimedOut);
  EXPECT_EQ(first->Disconnect(), status::kOk);
  // The leave packet lets the next host in.
  second->SetTiming(LinkTiming{EmulatedConsole::kRoomySecond});
  EXPECT_EQ(second->Connect(), status::kOk);
  std::uint32_t total = 0, used = 0, free = 0;
  EXPECT_EQ(second->QueryDiskInfo(total, used, free), status::kOk);
}

}  // namespace
}  // namespace zq
