// The most memory each reader holds at once while it reads a hostile input
// stays within four times the bytes it read plus 32 MiB (for an expanded
// stream, the bytes it expanded to), measured by the counting allocator.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "emulator/card.h"
#include "emulator/console_protocol.h"
#include "link/link_session.h"
#include "link/wire_codes.h"
#include "memory/counting_allocator.h"
#include "mp3/mp3_file.h"
#include "packages/archive_reader.h"
#include "packages/commercial_package.h"
#include "support/mp3_builder.h"
#include "support/package_builder.h"
#include "support/scripted_endpoint.h"
#include "support/temp_dir.h"

namespace zq {
namespace {

using test::ArchiveBuilder;
using test::Bytes;
using test::CommercialBuilder;
using test::PeakWatch;
using test::ScriptWriter;

constexpr std::size_t kMiB = 1 << 20;

std::size_t Bound(std::size_t bytesRead) {
  return 4 * bytesRead + 32 * kMiB;
}

// A free package or patch whose table is `count` copies of one encoded entry.
Bytes HostileArchive(const std::string& magic, const Bytes& entry, std::size_t count) {
  Bytes body;
  body.reserve(entry.size() * count);
  for (std::size_t i = 0; i < count; ++i) {
    body.insert(body.end(), entry.begin(), entry.end());
  }
  return ArchiveBuilder(magic)
      .Count(static_cast<std::uint32_t>(count))
      .WithoutFinalEndMarker()
      .Trailing(std::move(body))
      .Build();
}

struct ArchiveCase {
  const char* what;
  std::string magic;
  Bytes entry;
  std::size_t count;
};
// Named by its what in test listings, not by its bytes.
void PrintTo(const ArchiveCase& c, std::ostream* os) {
  *os << c.what;
}

class ArchiveMemoryTest : public ::testing::TestWithParam<ArchiveCase> {};

// Before the table was compact, 4 MiB of end markers took about 400 MiB and
// 4 MiB of empty folders about 130 MiB.
TEST_P(ArchiveMemoryTest, ReadsWithinTheBound) {
  const ArchiveCase& c = GetParam();
  test::TempDir dir("zq-memory");
  const Bytes file = HostileArchive(c.magic, c.entry, c.count);
  test::WriteBytes(dir / "hostile", file);
  ArchiveReader reader(c.magic);
  const PeakWatch watch;
  ASSERT_EQ(reader.Open(dir / "hostile"), archive_status::kOk);
  const std::size_t peak = watch.PeakBytes();
  EXPECT_EQ(reader.Entries().Count(), c.count);
  EXPECT_LE(peak, Bound(file.size())) << c.what << ": " << peak << " bytes for " << file.size();
  // No more than the file and one 8-byte record per 3 bytes.
  EXPECT_LE(reader.Entries().MemoryBytes(), file.size() + file.size() / 3 * 8 + 64) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Hostile, ArchiveMemoryTest,
    ::testing::Values(ArchiveCase{"end markers", "ZQKG", {'2'}, 4 * kMiB},
                      ArchiveCase{"empty folders", "ZQKG", {'0', 0, 0}, 4 * kMiB / 3},
                      ArchiveCase{"unknown kinds in a patch", "PTCH", {'9', 0, 0}, 4 * kMiB / 3},
                      ArchiveCase{"empty files", "ZQKG", {'1', 0, 0, 0, 0, 0, 0}, 4 * kMiB / 7}));

TEST(CommercialMemoryTest, BackReferencesOfEndMarkersReadWithinTheBound) {
  // 1 MiB and 4 MiB packages whose stream expands about 8.5 times into end
  // markers: they took 826 MiB and 3.4 GB before.
  for (const std::size_t markers : {std::size_t{8500000}, std::size_t{34000000}}) {
    test::TempDir dir("zq-memory");
    const Bytes file = CommercialBuilder()
                           .EntryCount(static_cast<std::uint32_t>(markers))
                           .Stream(test::SzddRepeated('2', markers))
                           .Build();
    test::WriteBytes(dir / "hostile.zpk", file);
    CommercialPackage package;
    const PeakWatch watch;
    ASSERT_EQ(package.Load(dir / "hostile.zpk"), archive_status::kOk);
    const std::size_t peak = watch.PeakBytes();
    EXPECT_EQ(package.EntryCount(), markers);
    EXPECT_LE(peak, Bound(file.size())) << peak << " bytes for " << file.size();
    // The expansion itself, held once, and little else.
    EXPECT_LE(peak, file.size() + markers + kMiB);
  }
}

TEST(CommercialMemoryTest, AnnouncedLengthsBeyondTheLimitsAllocateNothingForThem) {
  struct Case {
    const char* what;
    Bytes stream;
  };
  const Case cases[] = {
      // A few bytes announcing 64 MiB: no stream of that size expands so far.
      {"past what the bytes can give", test::SzddRepeated('2', 1000, 64 * kMiB)},
      // The densest stream of one byte more than the largest card.
      {"past the largest card", test::SzddRepeated('2', 100, kMaxExpandedStream + 1)},
  };
  for (const Case& c : cases) {
    test::TempDir dir("zq-memory");
    const Bytes file = CommercialBuilder().EntryCount(1).Stream(c.stream).Build();
    test::WriteBytes(dir / "hostile.zpk", file);
    CommercialPackage package;
    const PeakWatch watch;
    EXPECT_EQ(package.Load(dir / "hostile.zpk"), archive_status::kShortRead) << c.what;
    EXPECT_LE(watch.PeakBytes(), file.size() + 256 * 1024) << c.what;
  }
}

TEST(Mp3MemoryTest, AnId3v2TagDeclaringMoreThanTheFileHoldsCostsOnlyTheFile) {
  test::TempDir dir("zq-memory");
  // The largest size an ID3v2 header can declare (256 MiB) in a file of 1 KiB.
  const test::Mp3Builder builder =
      test::Mp3Builder().Id3v2({0x7F, 0x7F, 0x7F, 0x7F}, 0, 100).Audio(1000);
  builder.WriteTo(dir / "hostile.mp3");
  CMp3File file;
  const PeakWatch watch;
  EXPECT_EQ(file.ReadMp3((dir / "hostile.mp3").string()), mp3status::kNoAudio);
  EXPECT_LE(watch.PeakBytes(), builder.Bytes().size() + 64 * 1024);
}

// The console's answer to a receive: the size, then `chunk` bytes announced
// and one data packet, then nothing (the console is gone).
Bytes ReceiveScript(std::uint32_t size) {
  ScriptWriter w;
  w.Open().Open().Write().Reply({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2});  // connect
  w.Write().Write().Reply({static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size >> 8),
                           static_cast<std::uint8_t>(size >> 16),
                           static_cast<std::uint8_t>(size >> 24)});
  w.Write().Reply({0x00, 0x02}).Write().Reply({1, 2, 3}).Write();
  return w.Bytes();
}

TEST(LinkMemoryTest, AReceiveNeverReservesWhatTheConsoleAnnounces) {
  struct Case {
    std::uint32_t announced;
    Status expected;
    std::size_t most;
  };
  const Case cases[] = {
      {wire::kLargestCard + 1, status::kCommError, 64 * 1024},  // no card holds it
      {0xFFFFFFFE, status::kCommError, 64 * 1024},
      // Within a card: a bounded first reserve, then only what arrives.
      {wire::kLargestCard, status::kIoFailed, kMiB + 64 * 1024},
  };
  for (const Case& c : cases) {
    const Bytes script = ReceiveScript(c.announced);
    auto transport = std::make_shared<test::ScriptedTransport>(script);
    LinkSession session(transport, LinkTiming{std::chrono::milliseconds(1)});
    ASSERT_EQ(session.Connect(), status::kOk);
    std::vector<std::uint8_t> out;
    const PeakWatch watch;
    EXPECT_EQ(session.ReceiveFile("zq:\\game\\A.BIN", "A.BIN", out, {}, {}), c.expected)
        << c.announced;
    EXPECT_LE(watch.PeakBytes(), c.most) << c.announced;
    EXPECT_TRUE(out.empty());
  }
}

TEST(ConsoleMemoryTest, AHostAnnouncingAHugeFileIsRefusedBeforeAnyRoomIsMade) {
  test::TempDir dir("zq-memory");
  emu::Card card(dir / "card", 4 * kMiB, false);
  emu::ConsoleProtocol protocol(card, 2, 0);
  std::vector<emu::Packet> replies;
  const auto packet = [](std::initializer_list<std::uint8_t> bytes) {
    emu::Packet p{};
    std::copy(bytes.begin(), bytes.end(), p.begin());
    return p;
  };
  const std::string folder = "\x08zq:\\game";
  const std::string name =
      "\x05"
      "A.BIN";
  emu::Packet folderPacket{};
  std::copy(folder.begin(), folder.end(), folderPacket.begin());
  emu::Packet namePacket{};
  std::copy(name.begin(), name.end(), namePacket.begin());
  protocol.OnPacket(packet({wire::cmd::kSendFile}), replies);
  protocol.OnPacket(folderPacket, replies);
  protocol.OnPacket(namePacket, replies);
  const PeakWatch watch;
  protocol.OnPacket(packet({0xF0, 0xFF, 0xFF, 0xFF}), replies);
  EXPECT_LE(watch.PeakBytes(), 64 * 1024);
  ASSERT_FALSE(replies.empty());
  EXPECT_EQ(replies.back()[0], wire::reply::kFailed);
}

}  // namespace
}  // namespace zq
