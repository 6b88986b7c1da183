#include "link/link_session.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <numeric>

#include "emulator/console.h"
#include "link/wire_codes.h"
#include "support/emulated_console.h"

namespace zq {
namespace {

namespace fs = std::filesystem;
using test::ConsoleOptions;
using test::EmulatedConsole;

std::vector<std::uint8_t> Pattern(std::size_t size) {
  std::vector<std::uint8_t> data(size);
  for (std::size_t i = 0; i < size; ++i) {
    data[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
  }
  return data;
}

TEST(LinkSessionTest, ConnectReadsFirmwareAndPicksBlockSize) {
  struct Case {
    std::uint8_t major, minor;
    std::uint32_t block;
  };
  for (const Case c :
       {Case{1, 4, 0x8000}, Case{1, 5, 0x40000}, Case{2, 0, 0x40000}, Case{0, 9, 0x8000}}) {
    EmulatedConsole console(ConsoleOptions{16, c.major, c.minor, false});
    auto session = console.MakeSession();
    ASSERT_EQ(session->Connect(), status::kOk);
    EXPECT_TRUE(session->IsConnected());
    EXPECT_EQ(session->FirmwareMajor(), c.major);
    EXPECT_EQ(session->FirmwareMinor(), c.minor);
    EXPECT_EQ(session->BlockSize(), c.block) << int{c.major} << "." << int{c.minor};
    EXPECT_EQ(session->Identification()[wire::kFirmwareMajorOffset], c.major);
    EXPECT_EQ(session->Disconnect(), status::kOk);
  }
}

TEST(LinkSessionTest, RoundTripOfFilesAndFolders) {
  EmulatedConsole console;
  auto session = console.Connected();
  std::uint32_t total = 0, used = 0, free = 0;
  ASSERT_EQ(session->QueryDiskInfo(total, used, free), status::kOk);
  EXPECT_EQ(total, 16u << 20);
  EXPECT_EQ(used + free, total);

  EntryList root;
  ASSERT_EQ(session->ListFolder(root, "zq:\\", ListMode::Full), status::kOk);
  ASSERT_EQ(root.size(), 5u);

  ASSERT_EQ(session->CreateFolder("zq:\\game\\demo"), status::kOk);
  const auto data = Pattern(300000);
  ASSERT_EQ(session->SendFile(data, "zq:\\game\\demo\\", "DATA.BIN", nullptr, nullptr),
            status::kOk);
  std::vector<std::uint8_t> back;
  ASSERT_EQ(session->ReceiveFile("zq:\\GAME\\DEMO\\data.bin", "data.bin", back, nullptr, nullptr),
            status::kOk);
  EXPECT_EQ(back, data);
  EntryList demo;
  ASSERT_EQ(session->ListFolder(demo, "zq:\\game\\demo\\", ListMode::Full), status::kOk);
  ASSERT_EQ(demo.size(), 1u);
  EXPECT_EQ(demo[0].name, "DATA.BIN");
  EXPECT_EQ(demo[0].size, 300000u);
  EXPECT_GE(demo[0].year, 2000);
  ASSERT_EQ(session->RemoveFile("zq:\\game\\demo\\data.bin"), status::kOk);
  ASSERT_EQ(session->RemoveFolder("zq:\\game\\demo"), status::kOk);
  EXPECT_FALSE(fs::exists(console.CardDir() / "GAME" / "demo"));
}

TEST(LinkSessionTest, PacketsThatCannotBeCarriedAreNotSent) {
  EmulatedConsole console;
  auto session = console.Connected();
  console.Console().ClearReceived();
  // A path cut to fit a packet would name another folder.
  EXPECT_EQ(session->SendString(std::string(255, 'a')), status::kIoFailed);
  const std::vector<std::uint8_t> big(257);
  EXPECT_EQ(session->SendData(big), status::kIoFailed);
  EXPECT_EQ(session->SendString(std::string(254, 'a')), status::kOk);
  ASSERT_TRUE(console.Console().WaitReceived(1, std::chrono::seconds(5)));
  const auto packets = console.Console().Received();
  ASSERT_EQ(packets.size(), 1u);
  EXPECT_EQ(packets[0][0], 254);
  EXPECT_EQ(packets[0][255], 0);  // the NUL still fits
}

TEST(LinkSessionTest, ACommandWithATooLongTextSendsNothingAndTheNextOneWorks) {
  // Each command refused for a text one byte over what a string packet
  // carries; the console must not be left waiting for the text.
  const std::string over(255, 'a');
  const std::string fits(250, 'a');
  const std::vector<std::uint8_t> data(10, 7);
  struct Case {
    const char* what;
    std::function<Status(LinkSession&)> call;
  };
  const std::vector<Case> cases = {
      {"list",
       [&](LinkSession& s) {
         EntryList e;
         return s.ListFolder(e, over, ListMode::Full);
       }},
      {"exists",
       [&](LinkSession& s) {
         bool f = false;
         return s.EntryExists(over, "A", true, f);
       }},
      {"create", [&](LinkSession& s) { return s.CreateFolder(over); }},
      // The removal appends a backslash: 254 bytes become 255.
      {"remove folder", [&](LinkSession& s) { return s.RemoveFolder(std::string(254, 'a')); }},
      {"remove file", [&](LinkSession& s) { return s.RemoveFile(over); }},
      {"receive",
       [&](LinkSession& s) {
         std::vector<std::uint8_t> out;
         return s.ReceiveFile(over, "A", out, nullptr, nullptr);
       }},
      {"send folder",
       [&](LinkSession& s) { return s.SendFile(data, over, "A.BIN", nullptr, nullptr); }},
      {"send name", [&](LinkSession& s) { return s.SendFile(data, fits, over, nullptr, nullptr); }},
  };
  EmulatedConsole console;
  auto session = console.MakeSession();
  for (const Case& c : cases) {
    // Each case on a session of its own, so one fault cannot hide another.
    ASSERT_EQ(session->Connect(), status::kOk);
    console.Console().ClearReceived();
    EXPECT_EQ(c.call(*session), status::kIoFailed) << c.what;
    std::uint32_t total = 0, used = 0, free = 0;
    EXPECT_EQ(session->QueryDiskInfo(total, used, free), status::kOk) << c.what;
    const auto packets = console.Console().Received();
    ASSERT_FALSE(packets.empty()) << c.what;
    EXPECT_EQ(packets.front()[0], wire::cmd::kDiskInfo) << c.what << ": something went out";
  }
  // Nor is a transfer shown as started.
  bool started = false;
  EXPECT_EQ(session->SendFile(
                data, "zq:\\game", over,
                [&](const TransferStart&) {
                  started = true;
                  return status::kGoOn;
                },
                nullptr),
            status::kIoFailed);
  EXPECT_FALSE(started);
}

TEST(LinkSessionTest, ResetAndDisconnectLeaveNoPipeOpen) {
  EmulatedConsole console;
  auto session = console.Connected();
  ASSERT_EQ(session->Disconnect(), status::kOk);
  EXPECT_FALSE(session->IsConnected());
  EXPECT_EQ(session->Disconnect(), status::kOk);  // a second time does nothing
  std::uint32_t total = 0, used = 0, free = 0;
  EXPECT_EQ(session->QueryDiskInfo(total, used, free), status::kIoFailed);
  ASSERT_EQ(session->Connect(), status::kOk);
  session->Reset();
  EXPECT_EQ(session->QueryDiskInfo(total, used, free), status::kIoFailed);
  ASSERT_EQ(session->Connect(), status::kOk);
  EXPECT_EQ(session->QueryDiskInfo(total, used, free), status::kOk);
}

}  // namespace
}  // namespace zq
