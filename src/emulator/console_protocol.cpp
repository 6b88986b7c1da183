#include "emulator/console_protocol.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace zq::emu {
namespace {

namespace cmd = wire::cmd;
namespace reply = wire::reply;

void PutLe16(Packet& p, std::size_t at, std::uint16_t v) {
  p[at] = static_cast<std::uint8_t>(v);
  p[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void PutLe32(Packet& p, std::size_t at, std::uint32_t v) {
  for (std::size_t i = 0; i < 4; ++i) {
    p[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  }
}

std::uint32_t GetLe32(const Packet& p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// A string packet: length byte, then the characters; stops at a NUL.
std::string GetString(const Packet& p) {
  const std::size_t length = std::min<std::size_t>(p[0], p.size() - 1);
  const auto begin = p.begin() + 1;
  return std::string(begin, std::find(begin, begin + static_cast<std::ptrdiff_t>(length), 0));
}

}  // namespace

ConsoleProtocol::ConsoleProtocol(Card& card, std::uint8_t firmwareMajor, std::uint8_t firmwareMinor)
    : card_(card), major_(firmwareMajor), minor_(firmwareMinor) {}

std::uint32_t ConsoleProtocol::BlockSize() const {
  const bool large = major_ > 1 || (major_ == 1 && minor_ >= 5);
  return large ? wire::kLargeBlock : wire::kSmallBlock;
}

void ConsoleProtocol::SetFirmware(std::uint8_t major, std::uint8_t minor) {
  major_ = major;
  minor_ = minor;
}

void ConsoleProtocol::Reset() {
  state_ = State::kIdle;
  leave_ = false;
  entries_.clear();
  data_.clear();
  data_.shrink_to_fit();
}

Packet ConsoleProtocol::Code(std::uint8_t code) {
  Packet p{};
  p[0] = code;
  return p;
}

std::uint8_t ConsoleProtocol::ResultCode(CardResult r, std::uint8_t success) {
  switch (r) {
    case CardResult::kOk:
      return success;
    case CardResult::kPathMissing:
      return reply::kPathMissing;
    case CardResult::kUnformatted:
      return reply::kNotFormatted;
    case CardResult::kFailed:
      break;
  }
  return reply::kFailed;
}

void ConsoleProtocol::OnPacket(std::span<const std::uint8_t> packet, std::vector<Packet>& replies) {
  try {
    HandlePacket(packet, replies);
  } catch (const std::bad_alloc&) {
    // A card operation ran out of memory: the console refuses the command,
    // as it does any other failure, and waits for the next one.
    Reset();
    replies.push_back(Code(reply::kFailed));
  }
}

void ConsoleProtocol::HandlePacket(std::span<const std::uint8_t> packet,
                                   std::vector<Packet>& replies) {
  Packet in{};
  std::copy_n(packet.begin(), std::min(packet.size(), in.size()), in.begin());
  dataBytes_ = 0;
  switch (state_) {
    case State::kIdle:
      StartCommand(in, replies);
      return;
    case State::kWaitPath:
      OnPath(GetString(in), replies);
      return;
    case State::kListing:
      if (in[0] == cmd::kGoOn) {
        NextEntry(replies);
        return;
      }
      break;
    case State::kSendName: {
      name_ = GetString(in);
      const CardResult r = card_.CheckNewFile(folder_, name_, 0);
      state_ = r == CardResult::kOk ? State::kSendSize : State::kIdle;
      replies.push_back(Code(r == CardResult::kOk ? reply::kSendNameOk : reply::kFailed));
      return;
    }
    case State::kSendSize: {
      size_ = GetLe32(in);
      const CardResult r = card_.CheckNewFile(folder_, name_, size_);
      if (r != CardResult::kOk) {
        state_ = State::kIdle;
        replies.push_back(Code(reply::kFailed));
        return;
      }
      data_.clear();
      data_.reserve(std::min<std::size_t>(size_, 1 << 20));
      state_ = State::kSendLength;
      replies.push_back(Code(reply::kSendWantLength));
      return;
    }
    case State::kSendLength: {
      const std::uint32_t length = GetLe32(in);
      if (length == 0) {
        // The end: the file is written only when every announced byte came.
        const bool whole = data_.size() == size_;
        const CardResult r = whole ? card_.WriteFile(folder_, name_, data_) : CardResult::kFailed;
        Reset();
        replies.push_back(Code(r == CardResult::kOk ? reply::kSendDone : reply::kFailed));
        return;
      }
      // A block longer than the firmware takes, or beyond the announced size.
      if (length > BlockSize() || length > size_ - data_.size()) {
        Reset();
        replies.push_back(Code(reply::kFailed));
        return;
      }
      blockLeft_ = length;
      state_ = State::kSendData;
      replies.push_back(Code(reply::kSendWantData));
      return;
    }
    case State::kSendData: {
      const std::uint32_t n = std::min<std::uint32_t>(blockLeft_, wire::kPacketSize);
      data_.insert(data_.end(), in.begin(), in.begin() + n);
      blockLeft_ -= n;
      dataBytes_ = n;
      if (blockLeft_ == 0) {
        state_ = State::kSendLength;
        replies.push_back(Code(reply::kSendWantLength));
      }
      return;
    }
    case State::kReceiveReady:
      if (in[0] == cmd::kNextChunk) {
        const std::size_t left = data_.size() - offset_;
        chunkLeft_ = std::min<std::size_t>(left, kChunkSize);
        Packet p{};
        PutLe16(p, 0, static_cast<std::uint16_t>(chunkLeft_));
        state_ = State::kReceiveAnnounced;
        replies.push_back(p);
        return;
      }
      if (in[0] == cmd::kReceiveDone) {
        Reset();
        return;
      }
      break;
    case State::kReceiveAnnounced:
      if (in[0] == cmd::kChunkData) {
        state_ = State::kReceiveInChunk;
        NextDataPacket(replies);
        return;
      }
      break;
    case State::kReceiveInChunk:
      if (in[0] == cmd::kGoOn) {
        if (chunkLeft_ == 0) {
          state_ = State::kReceiveReady;  // the host asks for the next chunk with 0x71
        } else {
          NextDataPacket(replies);
        }
        return;
      }
      if (in[0] == cmd::kReceiveDone) {
        Reset();
        return;
      }
      break;
  }
  // A packet that does not fit the exchange: the host gave it up and starts a
  // new command, as it does after a time-out or a failure.
  Reset();
  StartCommand(in, replies);
}

void ConsoleProtocol::StartCommand(const Packet& in, std::vector<Packet>& replies) {
  command_ = in[0];
  ++commandsStarted_;
  switch (command_) {
    case cmd::kLeave:
      leave_ = true;
      return;
    case cmd::kDiskInfo: {
      Packet p = Code(reply::kDiskInfo);
      PutLe32(p, 1, card_.Total());
      PutLe32(p, 5, card_.Used());
      PutLe32(p, 9, card_.Free());
      replies.push_back(p);
      return;
    }
    case cmd::kIdentify: {
      Packet p{};
      constexpr char kModel[] = "ZQ61 CONSOLE";  // 12 bytes
      std::memcpy(p.data(), kModel, 12);
      constexpr char kSerial[] = "EMU00001";
      std::memcpy(p.data() + 16, kSerial, 8);
      p[wire::kFirmwareMinorOffset] = minor_;
      p[wire::kFirmwareMajorOffset] = major_;
      replies.push_back(p);
      return;
    }
    case cmd::kFormat: {
      replies.push_back(Code(reply::kFormatStarted));
      const CardResult r = card_.Format();
      replies.push_back(Code(ResultCode(r, reply::kFormatDone)));
      return;
    }
    case cmd::kReceiveFile:
    case cmd::kListNames:
    case cmd::kListFull:
    case cmd::kCreateFolder:
    case cmd::kRemoveFolder:
    case cmd::kRemoveFile:
    case cmd::kSendFile:
      state_ = State::kWaitPath;
      return;
    default:
      // Unknown codes and stray go-on packets get no answer.
      return;
  }
}

void ConsoleProtocol::OnPath(const std::string& path, std::vector<Packet>& replies) {
  state_ = State::kIdle;
  switch (command_) {
    case cmd::kListNames:
    case cmd::kListFull: {
      const CardResult r = card_.List(path, entries_);
      if (r != CardResult::kOk) {
        replies.push_back(Code(ResultCode(r, 0)));
        return;
      }
      nextEntry_ = 0;
      state_ = State::kListing;
      NextEntry(replies);
      return;
    }
    case cmd::kCreateFolder:
      replies.push_back(Code(ResultCode(card_.CreateFolder(path), reply::kFolderCreated)));
      return;
    case cmd::kRemoveFolder: {
      // The host sends the folder with one trailing backslash.
      replies.push_back(Code(ResultCode(card_.RemoveFolder(path), reply::kFolderRemoved)));
      return;
    }
    case cmd::kRemoveFile:
      replies.push_back(Code(ResultCode(card_.RemoveFile(path), reply::kFileRemoved)));
      return;
    case cmd::kSendFile: {
      const CardResult r = card_.CheckFolder(path);
      if (r == CardResult::kOk) {
        folder_ = path;
        state_ = State::kSendName;
      }
      replies.push_back(Code(ResultCode(r, reply::kSendFolderOk)));
      return;
    }
    case cmd::kReceiveFile: {
      Packet p{};
      if (card_.ReadFile(path, data_) != CardResult::kOk || data_.size() >= wire::kNoSuchFileSize) {
        p.fill(0xFF);  // a size of all one bits: no such file
        data_.clear();
        replies.push_back(p);
        return;
      }
      PutLe32(p, 0, static_cast<std::uint32_t>(data_.size()));
      offset_ = 0;
      state_ = State::kReceiveReady;
      replies.push_back(p);
      return;
    }
    default:
      return;
  }
}

void ConsoleProtocol::NextEntry(std::vector<Packet>& replies) {
  const bool full = command_ == cmd::kListFull;
  if (nextEntry_ >= entries_.size()) {
    Reset();
    replies.push_back(Code(full ? reply::kFullEnd : reply::kNamesEnd));
    return;
  }
  const CardEntry& e = entries_[nextEntry_++];
  Packet p = Code(full ? reply::kFullEntry : reply::kNameEntry);
  p[1] = e.folder ? 1 : 0;
  const std::size_t n = std::min(e.name.size(), wire::kMaxListedName);
  p[2] = static_cast<std::uint8_t>(n);
  std::memcpy(p.data() + wire::kEntryNameOffset, e.name.data(), n);
  if (full) {
    const std::size_t at = wire::kEntryNameOffset + n;
    PutLe32(p, at, e.size);
    PutLe16(p, at + 4, e.year);
    PutLe16(p, at + 6, e.month);
    PutLe16(p, at + 8, e.day);
    PutLe16(p, at + 10, e.hour);
    PutLe16(p, at + 12, e.minute);
  }
  replies.push_back(p);
}

void ConsoleProtocol::NextDataPacket(std::vector<Packet>& replies) {
  const std::size_t n = std::min<std::size_t>(chunkLeft_, wire::kPacketSize);
  Packet p{};
  if (n > 0) {  // a file of 0 bytes has no buffer to copy from
    std::memcpy(p.data(), data_.data() + offset_, n);
  }
  offset_ += n;
  chunkLeft_ -= n;
  dataBytes_ = n;
  replies.push_back(p);
}

}  // namespace zq::emu
