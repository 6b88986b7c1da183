// A host that stops inside a block, over the device directory's sockets: the
// console never takes the block's data for a command.
#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "emulator/console.h"
#include "link/link_session.h"
#include "support/emulated_console.h"

namespace zq::emu {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

TEST(AbandonedBlockTest, APausedPutEndsTheSessionAndLeavesTheCardAsItWas) {
  test::EmulatedConsole console;  // its console gives up a block after 300 ms
  std::ofstream(console.CardDir() / "GAME" / "PRECIOUS.TXT") << "keep";
  auto session = console.Connected();
  // Every data packet would format the card if it were read as a command.
  std::vector<std::uint8_t> data(64 * 1024, 0);
  for (std::size_t at = 0; at < data.size(); at += 256) {
    data[at] = 0x80;
  }
  const Status s =
      session->SendFile(data, "zq:\\zqetc\\", "EVIL.BIN", nullptr, [](const TransferProgress& p) {
        if (p.done == 4096) {
          std::this_thread::sleep_for(600ms);  // a paused host
        }
        return status::kGoOn;
      });
  EXPECT_TRUE(s == status::kIoFailed || s == status::kTimedOut) << s;
  EXPECT_FALSE(session->IsConnected());
  for (const char* folder : kStandardFolders) {
    EXPECT_TRUE(fs::is_directory(console.CardDir() / folder)) << folder;
  }
  EXPECT_TRUE(fs::exists(console.CardDir() / "GAME" / "PRECIOUS.TXT"));
  EXPECT_FALSE(fs::exists(console.CardDir() / "ZQETC" / "EVIL.BIN"));
  ASSERT_EQ(session->Connect(), status::kOk);
  std::uint32_t total = 0, used = 0, free = 0;
  EXPECT_EQ(session->QueryDiskInfo(total, used, free), status::kOk);
  EXPECT_EQ(total, 16u * 1024 * 1024);
}

TEST(AbandonedBlockTest, ACommandRightAfterAStopInsideABlockIsServed) {
  test::EmulatedConsole console;
  auto session = console.Connected();
  std::vector<std::uint8_t> data(8192, 0);
  data[1024] = 0x80;  // the packet after the stop, were it sent
  EXPECT_EQ(session->SendFile(data, "zq:\\game\\", "HALF.BIN", nullptr,
                              [](const TransferProgress& p) {
                                return p.done == 1024 ? status::kStopped : status::kGoOn;
                              }),
            status::kStopped);
  // At once, well inside the console's patience for the block.
  EXPECT_EQ(session->CreateFolder("zq:\\game\\NEW"), status::kOk);
  EXPECT_TRUE(fs::is_directory(console.CardDir() / "GAME" / "NEW"));
  EXPECT_FALSE(fs::exists(console.CardDir() / "GAME" / "HALF.BIN"));
  EXPECT_TRUE(session->IsConnected());
}

}  // namespace
}  // namespace zq::emu
