// File transfer against the emulated console, packet by packet.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <future>
#include <iterator>
#include <thread>

#include "emulator/console.h"
#include "link/byte_order.h"
#include "link/link_session.h"
#include "link/wire_codes.h"
#include "support/emulated_console.h"

namespace zq {
namespace {

namespace fs = std::filesystem;
using emu::Fault;
using test::ConsoleOptions;
using test::EmulatedConsole;
using Packets = std::vector<std::vector<std::uint8_t>>;

std::vector<std::uint8_t> Pattern(std::size_t size) {
  std::vector<std::uint8_t> data(size);
  for (std::size_t i = 0; i < size; ++i) {
    data[i] = static_cast<std::uint8_t>(i * 13 + i / 256);
  }
  return data;
}

std::vector<std::uint8_t> ReadHostFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteHostFile(const fs::path& p, const std::vector<std::uint8_t>& data) {
  std::ofstream(p, std::ios::binary)
      .write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
}

std::uint32_t Value(const std::vector<std::uint8_t>& packet) {
  return ReadLe32(packet, 0);
}

TEST(LinkTransferTest, ThreeHundredBytesGoAsTwoPacketsThenLengthZero) {
  EmulatedConsole console;
  auto session = console.Connected();
  const auto data = Pattern(300);
  std::vector<TransferProgress> progress;
  TransferStart start;
  console.Console().ClearReceived();
  ASSERT_EQ(session->SendFile(
                data, "zq:\\game", "SMALL.BIN",
                [&](const TransferStart& s) {
                  start = s;
                  return status::kGoOn;
                },
                [&](const TransferProgress& p) {
                  progress.push_back(p);
                  return status::kGoOn;
                }),
            status::kOk);
  EXPECT_EQ(start.path, "SMALL.BIN");
  EXPECT_EQ(start.folder, "zq:\\game");
  EXPECT_EQ(start.size, 300u);

  const Packets p = console.Console().Received();
  ASSERT_EQ(p.size(), 8u);
  EXPECT_EQ(p[0][0], wire::cmd::kSendFile);
  EXPECT_EQ(Value(p[3]), 300u);  // file size
  EXPECT_EQ(Value(p[4]), 300u);  // one block of 300
  EXPECT_TRUE(std::equal(data.begin(), data.begin() + 256, p[5].begin()));
  EXPECT_TRUE(std::equal(data.begin() + 256, data.end(), p[6].begin()));
  EXPECT_TRUE(std::all_of(p[6].begin() + 44, p[6].end(), [](std::uint8_t b) { return b == 0; }));
  EXPECT_EQ(p[6].size(), 256u);
  EXPECT_EQ(Value(p[7]), 0u);  // the end
  ASSERT_EQ(progress.size(), 2u);
  EXPECT_EQ(progress[0].done, 256u);
  EXPECT_EQ(progress[1].done, 300u);
  EXPECT_EQ(progress[1].inPacket, 44u);
  EXPECT_EQ(progress[1].total, 300u);
  EXPECT_EQ(ReadHostFile(console.CardDir() / "GAME" / "SMALL.BIN"), data);
}

TEST(LinkTransferTest, OldFirmwareGetsBlocksOf128Packets) {
  EmulatedConsole console(ConsoleOptions{16, 1, 4, false});
  auto session = console.Connected();
  ASSERT_EQ(session->BlockSize(), 32768u);
  const auto data = Pattern(262144);
  console.Console().ClearReceived();
  ASSERT_EQ(session->SendFile(data, "zq:\\game\\", "BIG.BIN", nullptr, nullptr), status::kOk);
  const Packets p = console.Console().Received();
  // 0xD0, folder, name, size, then 8 x (length, 128 data packets), then 0.
  ASSERT_EQ(p.size(), 4u + 8 * 129 + 1);
  for (std::size_t block = 0; block < 8; ++block) {
    EXPECT_EQ(Value(p[4 + block * 129]), 32768u) << block;
  }
  EXPECT_EQ(Value(p.back()), 0u);
  EXPECT_EQ(ReadHostFile(console.CardDir() / "GAME" / "BIG.BIN"), data);
}

TEST(LinkTransferTest, ReceiveOfOneChunkSendsGoOnThenDone) {
  EmulatedConsole console;
  const auto data = Pattern(512);
  WriteHostFile(console.CardDir() / "GAME" / "R.BIN", data);
  auto session = console.Connected();
  console.Console().ClearReceived();
  std::vector<std::uint8_t> out;
  TransferStart start;
  ASSERT_EQ(session->ReceiveFile(
                "zq:\\game\\r.bin", "r.bin", out,
                [&](const TransferStart& s) {
                  start = s;
                  return 0;
                },
                nullptr),
            status::kOk);
  EXPECT_EQ(out, data);
  EXPECT_EQ(start.path, "zq:\\game\\r.bin");
  EXPECT_EQ(start.name, "r.bin");
  EXPECT_EQ(start.size, 512u);
  std::vector<std::uint8_t> codes;
  ASSERT_TRUE(console.Console().WaitReceived(6, std::chrono::seconds(5)));
  for (const auto& packet : console.Console().Received()) {
    codes.push_back(packet[0]);
  }
  codes.erase(codes.begin() + 1);  // the path string
  EXPECT_EQ(codes, (std::vector<std::uint8_t>{0x70, 0x71, 0x72, 0x03, 0x73}));
}

TEST(LinkTransferTest, LargeFilesRoundTripInSeveralChunksAndBlocks) {
  EmulatedConsole console;
  auto session = console.Connected();
  const auto data = Pattern(600000);  // blocks of 262144, chunks of 32768
  ASSERT_EQ(session->SendFile(data, "zq:\\mp3\\", "SONG.MP3", nullptr, nullptr), status::kOk);
  std::vector<std::uint8_t> out;
  std::uint32_t lastDone = 0;
  int packets = 0;
  ASSERT_EQ(session->ReceiveFile("zq:\\mp3\\song.mp3", "song.mp3", out, nullptr,
                                 [&](const TransferProgress& p) {
                                   EXPECT_GT(p.done, lastDone);
                                   lastDone = p.done;
                                   ++packets;
                                   return 0;
                                 }),
            status::kOk);
  EXPECT_EQ(out, data);
  EXPECT_EQ(packets, (600000 + 255) / 256);
}

TEST(LinkTransferTest, ZeroByteFilesEndBothWays) {
  EmulatedConsole console;
  auto session = console.Connected();
  console.Console().ClearReceived();
  ASSERT_EQ(session->SendFile({}, "zq:\\game\\", "EMPTY.BIN", nullptr, nullptr), status::kOk);
  Packets p = console.Console().Received();
  ASSERT_EQ(p.size(), 5u);  // 0xD0, folder, name, size 0, final length 0
  EXPECT_EQ(Value(p[3]), 0u);
  EXPECT_EQ(Value(p[4]), 0u);
  ASSERT_TRUE(fs::exists(console.CardDir() / "GAME" / "EMPTY.BIN"));
  EXPECT_EQ(fs::file_size(console.CardDir() / "GAME" / "EMPTY.BIN"), 0u);

  console.Console().ClearReceived();
  std::vector<std::uint8_t> out{1, 2, 3};
  ASSERT_EQ(session->ReceiveFile("zq:\\game\\empty.bin", "empty.bin", out, nullptr, nullptr),
            status::kOk);
  EXPECT_TRUE(out.empty());
  ASSERT_TRUE(console.Console().WaitReceived(3, std::chrono::seconds(5)));
  p = console.Console().Received();
  ASSERT_EQ(p.size(), 3u);
  EXPECT_EQ(p[2][0], wire::cmd::kReceiveDone);
  // The console is ready for the next command.
  std::uint32_t total = 0, used = 0, free = 0;
  EXPECT_EQ(session->QueryDiskInfo(total, used, free), status::kOk);
}

TEST(LinkTransferTest, RefusalsOfTheConsole) {
  EmulatedConsole console(ConsoleOptions{4, 2, 0, false});
  auto session = console.Connected();
  const auto data = Pattern(1000);
  EXPECT_EQ(session->SendFile(data, "zq:\\nothere\\", "A.BIN", nullptr, nullptr),
            status::kPathMissing);
  EXPECT_EQ(session->SendFile(data, "zq:\\game\\", "LONGNAME.BINARY", nullptr, nullptr),
            status::kConsoleFailed);
  EXPECT_EQ(session->SendFile(data, "zq:\\", "GAME", nullptr, nullptr), status::kConsoleFailed);
  // A file bigger than the free space is refused before its data moves.
  const auto big = Pattern(5 * 1024 * 1024);
  EXPECT_EQ(session->SendFile(big, "zq:\\game\\", "BIG.BIN", nullptr, nullptr),
            status::kConsoleFailed);
  EXPECT_FALSE(fs::exists(console.CardDir() / "GAME" / "BIG.BIN"));
  std::vector<std::uint8_t> out;
  EXPECT_EQ(session->ReceiveFile("zq:\\game\\none.bin", "none.bin", out, nullptr, nullptr),
            status::kConsoleFailed);
  EXPECT_TRUE(out.empty());
}

TEST(LinkTransferTest, EveryReplyOfASendIsChecked) {
  // A one-block send is answered 0xD1, 0xD7, 0xD2, 0xD3, 0xD2, 0xD4 (replies
  // 0 to 5). A fault at any of them ends the send with the common step rules'
  // status; 0xFE means a missing folder only as the answer to the folder.
  struct Case {
    int reply;
    Fault fault;
    Status expected;
  };
  std::vector<Case> cases;
  for (const int reply : {0, 1, 2, 3, 4, 5}) {
    cases.push_back(
        {reply, Fault::ReplyCode(wire::cmd::kSendFile, reply, 0xFF), status::kConsoleFailed});
    cases.push_back(
        {reply, Fault::ReplyCode(wire::cmd::kSendFile, reply, 0x55), status::kCommError});
    cases.push_back({reply, Fault::ReplyCode(wire::cmd::kSendFile, reply, 0xFE),
                     reply == 0 ? status::kPathMissing : status::kCommError});
    cases.push_back(
        {reply, Fault::ShortReply(wire::cmd::kSendFile, reply, 100), status::kCommError});
  }
  EmulatedConsole console;
  auto session = console.MakeSession();
  const auto data = Pattern(1000);
  for (const Case& c : cases) {
    // A fresh session each time: the console may be left inside the exchange.
    ASSERT_EQ(session->Connect(), status::kOk);
    console.Console().AddFault(c.fault);
    EXPECT_EQ(session->SendFile(data, "zq:\\game\\", "F.BIN", nullptr, nullptr), c.expected)
        << "reply " << c.reply << ", fault code " << int{c.fault.code};
    EXPECT_TRUE(session->IsConnected());
  }
}

TEST(LinkTransferTest, CallbackStopsInTheMiddleOfABlock) {
  EmulatedConsole console;
  auto session = console.Connected();
  const auto data = Pattern(10000);
  console.Console().ClearReceived();
  int calls = 0;
  EXPECT_EQ(session->SendFile(data, "zq:\\game\\", "STOP.BIN", nullptr,
                              [&](const TransferProgress&) {
                                return ++calls == 3 ? status::kStopped : status::kGoOn;
                              }),
            status::kStopped);
  // Three data packets went out, and no more.
  ASSERT_TRUE(console.Console().WaitReceived(5 + 3, std::chrono::seconds(5)));
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(console.Console().Received().size(), 5u + 3);
  EXPECT_FALSE(fs::exists(console.CardDir() / "GAME" / "STOP.BIN"));

  EXPECT_EQ(session->SendFile(
                data, "zq:\\game\\", "STOP.BIN",
                [](const TransferStart&) { return status::kStopped; }, nullptr),
            status::kStopped);

  WriteHostFile(console.CardDir() / "GAME" / "R.BIN", data);
  ASSERT_EQ(session->Connect(), status::kOk);  // leave the abandoned block behind
  std::vector<std::uint8_t> out;
  calls = 0;
  EXPECT_EQ(session->ReceiveFile("zq:\\game\\r.bin", "r.bin", out, nullptr,
                                 [&](const TransferProgress&) {
                                   return ++calls == 2 ? status::kStopped : status::kGoOn;
                                 }),
            status::kStopped);
  EXPECT_TRUE(out.empty());
}

TEST(LinkTransferTest, BogusSizesAndChunksFromTheConsoleAreErrors) {
  EmulatedConsole console;
  WriteHostFile(console.CardDir() / "GAME" / "R.BIN", Pattern(1000));
  auto session = console.Connected();
  std::vector<std::uint8_t> out;
  // A chunk announcing more than remains.
  console.Console().AddFault(Fault::Patch(wire::cmd::kReceiveFile, 1, 0, {0xE9, 0x03}));
  EXPECT_EQ(session->ReceiveFile("zq:\\game\\r.bin", "r.bin", out, nullptr, nullptr),
            status::kCommError);
  EXPECT_TRUE(out.empty());
  // A size that is far beyond the file: nothing huge is allocated, and the
  // exchange ends with an error once the console has nothing more.
  ASSERT_EQ(session->Connect(), status::kOk);
  console.Console().AddFault(Fault::Patch(wire::cmd::kReceiveFile, 0, 0, {0xF0, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(session->ReceiveFile("zq:\\game\\r.bin", "r.bin", out, nullptr, nullptr),
            status::kCommError);
  EXPECT_TRUE(out.empty());
  // A short data packet.
  ASSERT_EQ(session->Connect(), status::kOk);
  console.Console().AddFault(Fault::ShortReply(wire::cmd::kReceiveFile, 3, 100));
  EXPECT_EQ(session->ReceiveFile("zq:\\game\\r.bin", "r.bin", out, nullptr, nullptr),
            status::kCommError);
}

TEST(LinkTransferTest, TimeOutInTheMiddleOfAReceive) {
  EmulatedConsole console;
  WriteHostFile(console.CardDir() / "GAME" / "R.BIN", Pattern(1000));
  auto session = console.Connected(std::chrono::milliseconds(20));
  console.Console().AddFault(Fault::NoReply(wire::cmd::kReceiveFile, 2));
  std::vector<std::uint8_t> out;
  EXPECT_EQ(session->ReceiveFile("zq:\\game\\r.bin", "r.bin", out, nullptr, nullptr),
            status::kTimedOut);
  EXPECT_FALSE(session->IsConnected());
  EXPECT_TRUE(out.empty());
}

class TransferFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    pc_ = console_.CardDir().parent_path() / "pc";
    fs::create_directories(pc_);
    session_ = console_.Connected();
  }
  EmulatedConsole console_;
  fs::path pc_;
  std::unique_ptr<LinkSession> session_;
};

TEST_F(TransferFileTest, CopiesBothWays) {
  const auto data = Pattern(70000);
  WriteHostFile(pc_ / "local.bin", data);
  ASSERT_EQ(session_->TransferFile((pc_ / "local.bin").string(), "zq:\\game\\", "COPY.BIN",
                                   Direction::ToConsole, nullptr, nullptr),
            status::kOk);
  EXPECT_EQ(ReadHostFile(console_.CardDir() / "GAME" / "COPY.BIN"), data);
  WriteHostFile(pc_ / "back.bin", {9, 9});
  ASSERT_EQ(session_->TransferFile("zq:\\game\\copy.bin", pc_.string(), "back.bin", Direction::ToPc,
                                   nullptr, nullptr),
            status::kOk);
  EXPECT_EQ(ReadHostFile(pc_ / "back.bin"), data);
}

TEST_F(TransferFileTest, ANamedPipeIsRefusedAtOnce) {
  // Opening a FIFO for reading waits for a writer: the program would freeze.
  const fs::path fifo = pc_ / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  auto result = std::async(std::launch::async, [&] {
    return session_->TransferFile(fifo.string(), "zq:\\game\\", "X.BIN", Direction::ToConsole,
                                  nullptr, nullptr);
  });
  if (result.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
    ADD_FAILURE() << "TransferFile blocks on a named pipe";
    // A writer that comes and goes releases the blocked open.
    const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) {
      ::close(writer);
    }
  }
  EXPECT_EQ(result.get(), status::kOpenFileFailed);
  EXPECT_FALSE(fs::exists(console_.CardDir() / "GAME" / "X.BIN"));
}

TEST_F(TransferFileTest, FailuresLeaveThePcFilesAlone) {
  EXPECT_EQ(session_->TransferFile((pc_ / "missing.bin").string(), "zq:\\game\\", "X.BIN",
                                   Direction::ToConsole, nullptr, nullptr),
            status::kOpenFileFailed);
  EXPECT_EQ(session_->TransferFile(pc_.string(), "zq:\\game\\", "X.BIN", Direction::ToConsole,
                                   nullptr, nullptr),
            status::kReadFileFailed);  // a folder cannot be read as a file
  WriteHostFile(console_.CardDir() / "GAME" / "C.BIN", Pattern(100));
  EXPECT_EQ(session_->TransferFile("zq:\\game\\c.bin", (pc_ / "nothere").string(), "c.bin",
                                   Direction::ToPc, nullptr, nullptr),
            status::kCreateFileFailed);
  EXPECT_EQ(session_->TransferFile("zq:\\game\\c.bin", pc_.string(), "..", Direction::ToPc, nullptr,
                                   nullptr),
            status::kCreateFileFailed);
  // The old PC file survives a receive that fails.
  WriteHostFile(pc_ / "keep.bin", {1, 2, 3});
  console_.Console().AddFault(Fault::ShortReply(wire::cmd::kReceiveFile, 2, 1));
  EXPECT_EQ(session_->TransferFile("zq:\\game\\c.bin", pc_.string(), "keep.bin", Direction::ToPc,
                                   nullptr, nullptr),
            status::kCommError);
  EXPECT_EQ(ReadHostFile(pc_ / "keep.bin"), (std::vector<std::uint8_t>{1, 2, 3}));
}

}  // namespace
}  // namespace zq
