// Faults over a real USB stack: a reply that never comes, a short reply, and
// an emulator killed in the middle of a transfer.
#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "link/link_session.h"
#include "link/wire_codes.h"
#include "usb/usb_gadget.h"

namespace zq::test {
namespace {

using namespace std::chrono_literals;

TEST(UsbFaultsTest, AReplyThatNeverComesTimesOutAndTheNextCommandIsServed) {
  UsbGadget gadget({"--fault", "no-reply:0x20:0"});
  ASSERT_TRUE(gadget.Ready());
  auto link = UsbSession(200ms);  // the 5 s reply wait lasts 1 s
  ASSERT_EQ(link->Connect(), status::kOk);
  std::uint32_t total = 0, used = 0, free = 0;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(link->QueryDiskInfo(total, used, free), status::kTimedOut);
  EXPECT_GE(std::chrono::steady_clock::now() - start, 1000ms);
  EXPECT_FALSE(link->IsConnected());
  // The cancelled transfer left nothing behind: a fresh worker serves the next one.
  EXPECT_EQ(link->QueryDiskInfo(total, used, free), status::kOk);
  EXPECT_EQ(total, 16u * 1024 * 1024);
}

TEST(UsbFaultsTest, AShortReplyIsACommunicationErrorAndTheLinkGoesOn) {
  UsbGadget gadget({"--fault", "short:0x20:0:100"});
  ASSERT_TRUE(gadget.Ready());
  auto link = UsbSession();
  ASSERT_EQ(link->Connect(), status::kOk);
  std::uint32_t total = 0, used = 0, free = 0;
  EXPECT_EQ(link->QueryDiskInfo(total, used, free), status::kCommError);
  EXPECT_EQ(link->QueryDiskInfo(total, used, free), status::kOk);
}

TEST(UsbFaultsTest, AnEmulatorKilledMidTransferEndsInAStatus) {
  UsbGadget gadget;
  ASSERT_TRUE(gadget.Ready());
  auto link = UsbSession(200ms);
  ASSERT_EQ(link->Connect(), status::kOk);
  const std::vector<std::uint8_t> data(512 * 1024, 0x5A);
  int packets = 0;
  const PacketCallback killer = [&](const TransferProgress&) {
    if (++packets == 100) {
      gadget.KillEmulator();
    }
    return status::kGoOn;
  };
  const auto start = std::chrono::steady_clock::now();
  const Status s = link->SendFile(data, "zq:\\GAME", "CUT.BIN", nullptr, killer);
  EXPECT_TRUE(s == status::kIoFailed || s == status::kTimedOut) << s;
  EXPECT_LT(std::chrono::steady_clock::now() - start, 60s);
  std::vector<std::uint8_t> back;
  const Status r = link->ReceiveFile("zq:\\GAME\\CUT.BIN", "CUT.BIN", back, nullptr, nullptr);
  EXPECT_TRUE(r == status::kIoFailed || r == status::kTimedOut) << r;
  EXPECT_TRUE(back.empty());
}

}  // namespace
}  // namespace zq::test
