// Connect, disconnect, the disk pane and the family messages, against the
// in-process console.
#include <gtest/gtest.h>

#include "console_fixture.h"
#include "platform/directory_transport.h"

namespace zq {
namespace {

using test::ConsoleFixture;

class Connection : public ConsoleFixture {};

TEST_F(Connection, DiskPaneShowsKilobytes) {
  // A fresh 16 MiB card holds the five standard folders, one 16 KiB cluster
  // each; a file of 59 clusters brings the card to 1 MiB used.
  std::filesystem::resize_file((WriteFile(Card("FILL.BIN"), 0), Card("FILL.BIN")), 59 * 16384);
  std::uint32_t total = 0;
  std::uint32_t used = 0;
  std::uint32_t free = 0;
  EXPECT_TRUE(ops.ShowDiskInfo(total, used, free));
  EXPECT_EQ(total, 16u << 20);
  EXPECT_EQ(used, 1u << 20);
  EXPECT_EQ(free, 15u << 20);
  EXPECT_EQ(ui.Log(),
            (Lines{"disk-text: total size:16384KB  used size:1024KB  free size:15360KB"}));
}

TEST_F(Connection, ShortIdentificationIsAnUnknownErrorAndNoReplyTimesOut) {
  // The console serves one host at a time: the fixture's leaves first.
  ops.DisconnectDevice();
  auto fresh = console.MakeSession();
  DeviceOperations other(*fresh, ui);
  console.Console().AddFault(emu::Fault::ShortReply(0x40, 0, 100));
  EXPECT_FALSE(other.ConnectDevice());
  console.Console().AddFault(emu::Fault::NoReply(0x40, 0));
  console.Console().ClearReceived();
  fresh->SetTiming(kShortTiming);
  EXPECT_FALSE(other.ConnectDevice());
  EXPECT_EQ(ui.Messages(), (Lines{"unknown error occurred", "timed out"}));
  // The short time-out may pass before a busy console even read the packet:
  // the unanswered reply must be behind it before the next connection.
  ASSERT_TRUE(console.Console().WaitReceived(1, std::chrono::seconds(10)));
  fresh->SetTiming(LinkTiming{test::EmulatedConsole::kRoomySecond});
  EXPECT_TRUE(other.ConnectDevice());
  EXPECT_TRUE(fresh->IsConnected());
}

TEST_F(Connection, NoConsoleIsAPortFailure) {
  test::TempDir empty;
  LinkSession lonely(std::make_shared<DirectoryTransport>(empty.Path()),
                     LinkTiming{std::chrono::milliseconds(10)});
  DeviceOperations other(lonely, ui);
  EXPECT_FALSE(other.ConnectDevice());
  EXPECT_EQ(ui.Messages(), (Lines{"failed to open USB port"}));
}

TEST_F(Connection, AfterATimeOutOperationsSayNotConnected) {
  console.Console().AddFault(emu::Fault::NoReply(0x20, 0));
  link->SetTiming(kShortTiming);
  EXPECT_FALSE(ops.ShowDiskInfo());
  EXPECT_FALSE(ops.ShowDiskInfo());
  WriteFile(pc / "GAME.ZXE", 10);
  // A paste reports through its messages; it always refreshes the views.
  EXPECT_TRUE(ops.CopyItems({(pc / "GAME.ZXE").string()}, "zq:\\GAME\\"));
  EXPECT_EQ(ui.Messages(), (Lines{"timed out", "not connected to ZQ61", "not connected to ZQ61"}));
  EXPECT_FALSE(std::filesystem::exists(Card("GAME/GAME.ZXE")));
}

TEST_F(Connection, RemoveAnswered0xFEIsACommunicationError) {
  WriteFile(Card("GAME/OLD.SAV"), 10);
  console.Console().AddFault(emu::Fault::ReplyCode(0xC0, 0, 0xFE));
  EXPECT_FALSE(ops.RemoveRemoteFile("zq:\\GAME\\OLD.SAV", true));
  EXPECT_EQ(ui.Messages(), (Lines{"communication error occurred"}));
  EXPECT_FALSE(ui.Progress().visible);
}

TEST_F(Connection, DisconnectTellsTheConsoleOnlyWhenConnected) {
  EXPECT_TRUE(ops.DisconnectDevice());
  EXPECT_TRUE(Eventually([&] { return SawCommand(0x10); }));
  console.Console().ClearReceived();
  EXPECT_TRUE(ops.DisconnectDevice());
  EXPECT_FALSE(SawCommand(0x10));
  EXPECT_TRUE(ui.Messages().empty());
}

}  // namespace
}  // namespace zq
