// The link over a real USB stack when the console or the cable misbehave: a
// reply that comes late, halted endpoints, the cable pulled, and a new host
// right after one that gave up. Each runs at the guest's bus speed.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "link/link_session.h"
#include "usb/usb_gadget.h"

namespace zq::test {
namespace {

using namespace std::chrono_literals;

TEST(UsbResyncTest, ALateReplyNeverAnswersALaterCommand) {
  UsbGadget gadget({"--fault", "late:0x20:0:15"});  // 1.5 s late
  ASSERT_TRUE(gadget.Ready());
  auto link = UsbSession(200ms);  // the 5 s reply wait lasts 1 s
  ASSERT_EQ(link->Connect(), status::kOk);
  std::uint32_t total = 0, used = 0, free = 0;
  EXPECT_EQ(link->QueryDiskInfo(total, used, free), status::kTimedOut);
  std::this_thread::sleep_for(1500ms);  // the late reply is on its way meanwhile
  link->SetTiming(LinkTiming{1000ms});
  // Other commands than the one that timed out: each gets its own reply.
  EXPECT_EQ(link->CreateFolder("zq:\\GAME\\A"), status::kOk);
  EXPECT_EQ(link->CreateFolder("zq:\\GAME\\B"), status::kOk);
  EXPECT_EQ(link->QueryDiskInfo(total, used, free), status::kOk);
  EXPECT_EQ(total, 16u * 1024 * 1024);
}

TEST(UsbResyncTest, AStalledInEndpointFailsOneCommandAndIsCleared) {
  UsbGadget gadget({"--fault", "stall-in:0x20:0"});
  ASSERT_TRUE(gadget.Ready());
  auto link = UsbSession();
  ASSERT_EQ(link->Connect(), status::kOk);
  std::uint32_t total = 0, used = 0, free = 0;
  EXPECT_EQ(link->QueryDiskInfo(total, used, free), status::kIoFailed);
  EXPECT_TRUE(link->IsConnected());
  EXPECT_EQ(link->QueryDiskInfo(total, used, free), status::kOk);
  EXPECT_EQ(link->CreateFolder("zq:\\GAME\\A"), status::kOk);
}

TEST(UsbResyncTest, AStalledOutEndpointIsNoWriteThatWentOut) {
  UsbGadget gadget({"--fault", "stall-out:0xD0:0"});  // halted after the folder's reply
  ASSERT_TRUE(gadget.Ready());
  auto link = UsbSession();
  ASSERT_EQ(link->Connect(), status::kOk);
  const std::vector<std::uint8_t> data(300, 7);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(link->SendFile(data, "zq:\\GAME", "A.BIN", nullptr, nullptr), status::kIoFailed);
  // Not the 40 s reply wait: the name packet's stall ends the step.
  EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
  std::uint32_t total = 0, used = 0, free = 0;
  EXPECT_EQ(link->QueryDiskInfo(total, used, free), status::kOk);
  EXPECT_EQ(link->SendFile(data, "zq:\\GAME", "A.BIN", nullptr, nullptr), status::kOk);
}

TEST(UsbResyncTest, AnUnpluggedConsoleIsNotConnectedAndFoundAgainWhenBack) {
  UsbGadget gadget;
  ASSERT_TRUE(gadget.Ready());
  auto link = UsbSession();
  ASSERT_EQ(link->Connect(), status::kOk);
  gadget.Unplug();
  std::uint32_t total = 0, used = 0, free = 0;
  EXPECT_EQ(link->QueryDiskInfo(total, used, free), status::kIoFailed);
  EXPECT_FALSE(link->IsConnected());
  ASSERT_TRUE(gadget.Plug());
  ASSERT_EQ(link->Connect(), status::kOk);
  EXPECT_EQ(link->QueryDiskInfo(total, used, free), status::kOk);
}

TEST(UsbResyncTest, ANewHostRightAfterOneThatGaveUpWithAReplyPending) {
  UsbGadget gadget({"--fault", "late:0x20:0:15"});
  ASSERT_TRUE(gadget.Ready());
  {
    auto first = UsbSession(200ms);
    ASSERT_EQ(first->Connect(), status::kOk);
    std::uint32_t total = 0, used = 0, free = 0;
    EXPECT_EQ(first->QueryDiskInfo(total, used, free), status::kTimedOut);
    std::this_thread::sleep_for(1000ms);  // the reply waits at the gadget, unread
  }
  auto second = UsbSession();
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(second->Connect(), status::kOk);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
  EXPECT_EQ(second->FirmwareMajor(), 2);
  std::uint32_t total = 0, used = 0, free = 0;
  EXPECT_EQ(second->QueryDiskInfo(total, used, free), status::kOk);
  EXPECT_EQ(total, 16u * 1024 * 1024);
}

}  // namespace
}  // namespace zq::test
