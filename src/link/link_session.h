#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "link/remote_entry.h"
#include "link/status.h"
#include "link/transfer_records.h"

namespace zq {

class DeviceTransport;
class PipeWorker;
class Endpoint;

// How long one second of a link time-out lasts. The program keeps real
// seconds; tests shrink it so that time-out paths run in milliseconds.
struct LinkTiming {
  std::chrono::milliseconds second{1000};
};

// The one object through which the program talks to the console: it owns the
// two pipes, the 256-byte packet buffer and the connected flag, and turns
// every outcome into a status code. Used from one thread only.
class LinkSession {
 public:
  static constexpr std::size_t kPacketSize = 256;
  static constexpr std::uint32_t kLargeBlock = 0x40000;  // firmware 1.5 and later
  static constexpr std::uint32_t kSmallBlock = 0x8000;   // older firmware

  // Without a transport, the programs' own choice is used: USB devices,
  // then the device directory of this machine (ZQ61_TRANSPORT picks one).
  explicit LinkSession(std::shared_ptr<DeviceTransport> transport = nullptr,
                       LinkTiming timing = {});
  ~LinkSession();
  LinkSession(const LinkSession&) = delete;
  LinkSession& operator=(const LinkSession&) = delete;

  // Forgets the pipe names and handles without touching the other fields.
  void Reset();
  // How long a second of the time-outs lasts from the next packet on.
  void SetTiming(LinkTiming timing) { timing_ = timing; }
  LinkTiming Timing() const { return timing_; }

  Status Connect();
  Status Disconnect();
  bool IsConnected() const { return connected_; }
  // Whether the console's end of an open pipe is known to be gone; looks
  // without waiting and without sending anything.
  bool ConsoleGone();
  // Closes both pipes and clears the connected flag without telling the
  // console: for a console that is no longer there to be told.
  void Drop();

  // kind 2: identification (24 bytes); kind 6: disk information (three
  // 32-bit numbers, 12 bytes). `out` must hold that many bytes.
  Status Query(int kind, std::span<std::uint8_t> out);

  // One outgoing packet each, written with a 5 second time-out.
  Status SendCode(std::uint8_t code);
  Status SendString(std::string_view text);
  Status SendValue(std::uint32_t value);
  Status SendData(std::span<const std::uint8_t> bytes);
  // Reads one reply into the packet buffer.
  Status ReceiveReply(int timeoutSeconds);
  const std::array<std::uint8_t, kPacketSize>& Packet() const { return packet_; }
  std::size_t Received() const { return received_; }

  // File-system commands. Console paths and names are CP949 bytes.
  Status ListFolder(EntryList& entries, std::string_view folder, ListMode mode);
  Status EntryExists(std::string_view folder, std::string_view name, bool wantFolder, bool& found);
  Status QueryDiskInfo(std::uint32_t& total, std::uint32_t& used, std::uint32_t& free);
  Status CreateFolder(std::string_view path);
  Status RemoveFolder(std::string_view path);  // appends one backslash
  Status RemoveFile(std::string_view path);
  Status FormatCard(int timeoutSeconds);

  // File transfer. SendFile writes `data` as console file folder\name;
  // ReceiveFile reads a console file into `out` (left empty on failure).
  Status SendFile(std::span<const std::uint8_t> data, std::string_view folder,
                  std::string_view name, const StartCallback& onStart,
                  const PacketCallback& onPacket);
  Status ReceiveFile(std::string_view path, std::string_view displayName,
                     std::vector<std::uint8_t>& out, const StartCallback& onStart,
                     const PacketCallback& onPacket);
  // To the console: `source` is a PC file (UTF-8 path), `targetFolder` a
  // console folder and `name` the console name (CP949).
  // To the PC: `source` is a console path (CP949), `targetFolder` a PC folder
  // and `name` the PC file name (UTF-8); an existing PC file is replaced only
  // once the new content is whole.
  Status TransferFile(const std::string& source, const std::string& targetFolder,
                      const std::string& name, Direction direction, const StartCallback& onStart,
                      const PacketCallback& onPacket);

  // Why the PC side of the last TransferFile failed: the system's error
  // number (errno), or 0 when it succeeded or the system gave no reason.
  int LastPcError() const { return pcError_; }

  const std::array<std::uint8_t, 24>& Identification() const { return identification_; }
  std::uint8_t FirmwareMajor() const { return firmwareMajor_; }
  std::uint8_t FirmwareMinor() const { return firmwareMinor_; }
  std::uint32_t BlockSize() const { return blockSize_; }

 private:
  std::chrono::milliseconds Seconds(int seconds) const { return seconds * timing_.second; }
  void ClosePipes();
  // A pipe call's outcome: a pipe whose device or peer is gone drops both
  // pipes and the connected flag (the next Connect searches again) and is -5.
  Status Settle(Status s);
  // Before a command's first packet: after an exchange that was left in the
  // middle of a block or a chunk, a fresh session (the pipes opened anew);
  // after one that failed, the pipes brought back in step.
  Status BringInStep();
  // The exchange stopped with -3 inside a command: the console is still in it.
  Status StoppedInside();
  // The common step rules: a time-out clears the connected flag (-1), any
  // other failure of the pipe call is -5.
  Status Step(Status s);
  Status WritePacket();
  // Reads one reply within `timeoutSeconds`; -9 unless all 256 bytes came.
  Status ReadReply(int timeoutSeconds);
  // Reads one reply and checks its code: `expected` goes on, 0xFF is -19,
  // 0xFE is -20 when `pathMissing`, 0xF1 is -10 when `unformatted`, else -9.
  Status Expect(int timeoutSeconds, std::uint8_t expected, bool pathMissing = false,
                bool unformatted = false);
  // Whether a text fits one string packet (length byte, characters, NUL).
  static bool FitsStringPacket(std::string_view text);
  // A command code packet followed by a string packet; nothing is sent when
  // the text does not fit.
  Status SendCommand(std::uint8_t code, std::string_view text);
  // A one-reply command: code, string, then the expected reply.
  Status SimpleCommand(std::uint8_t code, std::string_view text, int timeoutSeconds,
                       std::uint8_t expected, bool pathMissing);
  Status ReceiveChunks(std::uint32_t total, std::vector<std::uint8_t>& out,
                       const PacketCallback& onPacket);

  std::shared_ptr<DeviceTransport> transport_;
  int pcError_ = 0;
  LinkTiming timing_;
  std::unique_ptr<PipeWorker> worker_;
  std::string readPipeName_;
  std::string writePipeName_;
  std::unique_ptr<Endpoint> readPipe_;
  std::unique_ptr<Endpoint> writePipe_;
  std::array<std::uint8_t, kPacketSize> packet_{};
  bool connected_ = false;
  std::uint32_t blockSize_ = kLargeBlock;
  std::size_t received_ = 0;
  bool outOfStep_ = false;          // an exchange failed: resync the pipes first
  bool needsFreshSession_ = false;  // an exchange was stopped inside a command
  std::array<std::uint8_t, 24> identification_{};
  std::uint8_t firmwareMajor_ = 0;
  std::uint8_t firmwareMinor_ = 0;
};

}  // namespace zq
