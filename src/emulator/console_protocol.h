#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "emulator/card.h"
#include "link/wire_codes.h"

namespace zq::emu {

using Packet = std::array<std::uint8_t, wire::kPacketSize>;

// The console's side of the command exchanges: it takes the host's packets
// one by one, keeps each command's state between them, and produces the
// replies. Knows nothing of endpoints or time.
class ConsoleProtocol {
 public:
  ConsoleProtocol(Card& card, std::uint8_t firmwareMajor, std::uint8_t firmwareMinor);

  // Handles one packet (at most 256 bytes; a shorter one is padded with zero
  // bytes) and appends the replies to `replies`. A command that runs out of
  // memory is answered 0xFF.
  void OnPacket(std::span<const std::uint8_t> packet, std::vector<Packet>& replies);

  // Back to waiting for a command (a new session, or a host that stopped
  // sending in the middle of an exchange).
  void Reset();
  void SetFirmware(std::uint8_t major, std::uint8_t minor);
  // The longest block of a file the firmware takes: 262144 bytes from 1.5
  // on, 32768 before.
  std::uint32_t BlockSize() const;

  // The command started last and how many commands have started so far.
  std::uint8_t Command() const { return command_; }
  std::uint64_t CommandsStarted() const { return commandsStarted_; }
  bool LeaveRequested() const { return leave_; }
  // True while the console expects more data packets of a block.
  bool InBlock() const { return state_ == State::kSendData; }
  // File bytes carried by the packet handled last (for the line speed).
  std::size_t DataBytesLastPacket() const { return dataBytes_; }

 private:
  enum class State {
    kIdle,
    kWaitPath,          // the string packet of the command in `command_`
    kListing,           // entries sent one by one, 0x03 between them
    kSendName,          // send file: the file name
    kSendSize,          // send file: the file size
    kSendLength,        // send file: a block length, or 0 at the end
    kSendData,          // send file: the data packets of a block
    kReceiveReady,      // receive file: 0x71 for a chunk, or 0x73 to end
    kReceiveAnnounced,  // receive file: a chunk length was sent, 0x72 starts it
    kReceiveInChunk,    // receive file: 0x03 asks for the chunk's next packet
  };

  void HandlePacket(std::span<const std::uint8_t> packet, std::vector<Packet>& replies);
  void StartCommand(const Packet& in, std::vector<Packet>& replies);
  void OnPath(const std::string& path, std::vector<Packet>& replies);
  void NextEntry(std::vector<Packet>& replies);
  void NextDataPacket(std::vector<Packet>& replies);
  static Packet Code(std::uint8_t code);
  static std::uint8_t ResultCode(CardResult r, std::uint8_t success);

  Card& card_;
  std::uint8_t major_;
  std::uint8_t minor_;
  State state_ = State::kIdle;
  std::uint8_t command_ = 0;
  std::uint64_t commandsStarted_ = 0;
  bool leave_ = false;
  std::size_t dataBytes_ = 0;

  // Listing.
  std::vector<CardEntry> entries_;
  std::size_t nextEntry_ = 0;
  // Send file (host to console).
  std::string folder_;
  std::string name_;
  std::uint32_t size_ = 0;
  std::uint32_t blockLeft_ = 0;
  // Receive file (console to host), and the data being sent.
  std::vector<std::uint8_t> data_;
  std::size_t offset_ = 0;
  std::size_t chunkLeft_ = 0;
};

// The chunk length the console announces when it sends a file.
inline constexpr std::uint32_t kChunkSize = 0x8000;

}  // namespace zq::emu
