// The emulator's handling of host packets, transport aside: the fuzzer's
// bytes are a run of packets (a length byte, 0xFF for a whole 256-byte
// packet, then the bytes) handed to the console's protocol over a small card
// formatted afresh for every input. The console answers at most two replies
// a packet, never fills the card past its size and leaves nothing but plain
// files and folders in it.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <system_error>
#include <vector>

#include "emulator/card.h"
#include "emulator/console_protocol.h"
#include "fuzz_check.h"
#include "support/scripted_endpoint.h"

namespace {

constexpr std::uint32_t kCardBytes = 4u << 20;  // the smallest card

zq::emu::Card& TheCard() {
  static const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("zq-fuzz-card-" + std::to_string(getpid()));
  static zq::emu::Card card(root, kCardBytes, false);
  return card;
}

void CheckCard(const zq::emu::Card& card) {
  FUZZ_CHECK(card.Used() <= card.Total());
  std::uint64_t bytes = 0;
  std::error_code error;
  for (auto it = std::filesystem::recursive_directory_iterator(card.Root(), error);
       !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    const auto type = it->symlink_status(error).type();
    FUZZ_CHECK(type == std::filesystem::file_type::regular ||
               type == std::filesystem::file_type::directory);
    if (type == std::filesystem::file_type::regular) {
      bytes += it->file_size(error);
    }
  }
  FUZZ_CHECK(bytes <= card.Total());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zq::emu::Card& card = TheCard();
  FUZZ_CHECK(card.Format() == zq::emu::CardResult::kOk);
  zq::emu::ConsoleProtocol protocol(card, 2, 0);
  zq::test::ByteScript script(std::span<const std::uint8_t>(data, size));
  std::vector<zq::emu::Packet> replies;
  while (!script.Empty()) {
    const std::uint8_t length = script.Byte();
    const auto packet = script.Bytes(length == 0xFF ? zq::wire::kPacketSize : length);
    replies.clear();
    protocol.OnPacket(packet, replies);
    FUZZ_CHECK(replies.size() <= 2);
    FUZZ_CHECK(protocol.DataBytesLastPacket() <= zq::wire::kPacketSize);
  }
  CheckCard(card);
  return 0;
}
