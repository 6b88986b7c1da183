// The console's protocol driven packet by packet, transport aside: cases
// the fuzz target found.
#include "emulator/console_protocol.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "emulator/card.h"
#include "support/temp_dir.h"

namespace zq::emu {
namespace {

Packet Code(std::uint8_t code) {
  Packet p{};
  p[0] = code;
  return p;
}

Packet Text(const std::string& text) {
  Packet p{};
  p[0] = static_cast<std::uint8_t>(text.size());
  std::copy(text.begin(), text.end(), p.begin() + 1);
  return p;
}

Packet Value(std::uint32_t value) {
  Packet p{};
  for (int i = 0; i < 4; ++i) {
    p[i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
  return p;
}

// A host that asks for the data of a file of 0 bytes anyway gets an empty
// packet; the console copied from the empty file's missing buffer before
// (undefined behaviour, found by fuzz_console).
TEST(ConsoleProtocolTest, TheDataOfAnEmptyFileIsAnEmptyPacket) {
  test::TempDir dir("zq-protocol");
  Card card(dir / "card", 4u << 20, false);
  ConsoleProtocol protocol(card, 2, 0);
  std::vector<Packet> replies;
  const Packet sends[] = {Code(wire::cmd::kSendFile), Text("zq:\\game"), Text("EMPTY.BIN"),
                          Value(0), Value(0)};
  for (const Packet& p : sends) {
    protocol.OnPacket(p, replies);
  }
  ASSERT_EQ(replies.back()[0], wire::reply::kSendDone);
  replies.clear();
  const Packet receives[] = {Code(wire::cmd::kReceiveFile), Text("zq:\\game\\EMPTY.BIN"),
                             Code(wire::cmd::kNextChunk), Code(wire::cmd::kChunkData)};
  for (const Packet& p : receives) {
    protocol.OnPacket(p, replies);
  }
  ASSERT_EQ(replies.size(), 3u);
  EXPECT_EQ(replies[0], Value(0));  // the size
  EXPECT_EQ(replies[1], Value(0));  // a chunk of 0 bytes
  EXPECT_EQ(replies[2], Packet{});  // its one packet, empty
  EXPECT_EQ(protocol.DataBytesLastPacket(), 0u);
}

}  // namespace
}  // namespace zq::emu
