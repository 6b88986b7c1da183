// The step rules on every outcome a pipe call can have, against a console
// made of a byte script: short and failed writes, hanging calls, late
// packets, short replies.
#include <gtest/gtest.h>

#include "link/link_session.h"
#include "link/wire_codes.h"
#include "support/scripted_endpoint.h"

namespace zq {
namespace {

using test::ScriptWriter;
using test::StepOutcome;

ScriptWriter Connected() {
  ScriptWriter w;
  w.Open().Open().Write().Reply({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2});
  return w;
}

struct StepCase {
  const char* what;
  ScriptWriter script;
  Status expected;
  bool connectedAfter;
};

TEST(LinkScriptTest, EveryOutcomeOfAPipeCallBecomesItsStatus) {
  const std::uint8_t info[] = {wire::reply::kDiskInfo, 1, 0, 0, 0, 2, 0, 0, 0, 3};
  const StepCase cases[] = {
      {"whole", Connected().Write().Reply(info), status::kOk, true},
      {"late write and late reply",
       Connected()
           .Outcome(StepOutcome::kAfterWait)
           .Outcome(StepOutcome::kAfterWait)
           .Byte(10)
           .Raw(info),
       status::kOk, true},
      {"short write", Connected().ShortWrite(255), status::kIoFailed, true},
      {"nothing written", Connected().ShortWrite(0), status::kIoFailed, true},
      {"failed write", Connected().Outcome(StepOutcome::kFailed), status::kIoFailed, true},
      {"hanging write", Connected().Outcome(StepOutcome::kHang), status::kTimedOut, false},
      {"failed read", Connected().Write().Outcome(StepOutcome::kFailed), status::kIoFailed, true},
      {"hanging read", Connected().Write().Outcome(StepOutcome::kHang), status::kTimedOut, false},
      {"a console gone", Connected().Write(), status::kIoFailed, true},
      {"short reply", Connected().Write().ShortReply(info), status::kCommError, true},
      {"refused", Connected().Write().Reply({wire::reply::kFailed}), status::kConsoleFailed, true},
  };
  for (const StepCase& c : cases) {
    auto transport = std::make_shared<test::ScriptedTransport>(c.script.Bytes());
    LinkSession session(transport, LinkTiming{std::chrono::milliseconds(1)});
    ASSERT_EQ(session.Connect(), status::kOk) << c.what;
    std::uint32_t total = 0, used = 0, free = 0;
    EXPECT_EQ(session.QueryDiskInfo(total, used, free), c.expected) << c.what;
    EXPECT_EQ(session.IsConnected(), c.connectedAfter) << c.what;
    if (c.expected == status::kOk) {
      EXPECT_EQ(total, 1u) << c.what;
      EXPECT_EQ(free, 3u) << c.what;
    }
  }
}

TEST(LinkScriptTest, APipeThatDoesNotOpenFailsTheConnect) {
  for (const bool readOpens : {false, true}) {
    ScriptWriter w;
    if (readOpens) {
      w.Open();
    }
    w.Outcome(StepOutcome::kFailed);
    LinkSession session(std::make_shared<test::ScriptedTransport>(w.Bytes()),
                        LinkTiming{std::chrono::milliseconds(1)});
    EXPECT_EQ(session.Connect(), status::kOpenPortFailed) << readOpens;
  }
}

// A size no card holds is a garbled reply, refused before anything is kept;
// a size of all one bits is the console's "no such file".
TEST(LinkScriptTest, ReceiveRefusesSizesNoCardHolds) {
  struct Case {
    std::uint32_t size;
    Status expected;
  };
  const Case cases[] = {{wire::kLargestCard + 1, status::kCommError},
                        {0xFFFFFFFE, status::kCommError},
                        {wire::kNoSuchFileSize, status::kConsoleFailed},
                        {wire::kLargestCard, status::kIoFailed}};  // accepted, then gone
  for (const Case& c : cases) {
    ScriptWriter w = Connected();
    w.Write().Write().Reply(
        {static_cast<std::uint8_t>(c.size), static_cast<std::uint8_t>(c.size >> 8),
         static_cast<std::uint8_t>(c.size >> 16), static_cast<std::uint8_t>(c.size >> 24)});
    LinkSession session(std::make_shared<test::ScriptedTransport>(w.Bytes()),
                        LinkTiming{std::chrono::milliseconds(1)});
    ASSERT_EQ(session.Connect(), status::kOk);
    std::vector<std::uint8_t> out;
    bool started = false;
    const auto onStart = [&](const TransferStart&) {
      started = true;
      return status::kGoOn;
    };
    EXPECT_EQ(session.ReceiveFile("zq:\\A.BIN", "A.BIN", out, onStart, {}), c.expected) << c.size;
    EXPECT_EQ(started, c.size == wire::kLargestCard) << c.size;
    EXPECT_TRUE(out.empty());
  }
}

}  // namespace
}  // namespace zq
