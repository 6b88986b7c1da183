// LinkSession: whole files between the PC and the console.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <new>

#include "link/byte_order.h"
#include "link/link_session.h"
#include "link/wire_codes.h"
#include "platform/replace_file.h"

namespace zq {
namespace {

// What ReceiveFile reserves before data arrives: the announced size comes from
// the console and is not trusted with a large allocation.
constexpr std::size_t kInitialReserve = 1 << 20;

bool Resize(std::vector<std::uint8_t>& bytes, std::size_t size) {
  try {
    bytes.resize(size);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

// Reads a whole local file; -4 when it does not open, -13 when it cannot be read whole.
// A named pipe or a device is not a file that opens (-4): it is opened without
// waiting, since a blocking open of a FIFO waits for a writer that may never
// come; a folder opens but cannot be read (-13).
// On failure `error` holds the system's reason (errno), or 0 when there is none.
Status ReadLocalFile(const std::string& path, std::vector<std::uint8_t>& out, int& error) {
  error = 0;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    error = errno;
    return status::kOpenFileFailed;
  }
  struct stat info {};
  const bool statted = ::fstat(fd, &info) == 0;
  if (!statted) {
    error = errno;
  }
  if (statted && !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode)) {
    ::close(fd);
    return status::kOpenFileFailed;
  }
  Status s = status::kOk;
  if (!statted || !S_ISREG(info.st_mode) ||
      static_cast<std::uint64_t>(info.st_size) > std::numeric_limits<std::uint32_t>::max()) {
    s = status::kReadFileFailed;
  } else if (!Resize(out, static_cast<std::size_t>(info.st_size))) {
    s = status::kNoMemory;
  } else {
    std::size_t done = 0;
    while (done < out.size()) {
      const ssize_t n = ::read(fd, out.data() + done, out.size() - done);
      if (n < 0 && errno == EINTR) {
        continue;
      }
      if (n <= 0) {
        error = n < 0 ? errno : 0;
        s = status::kReadFileFailed;
        break;
      }
      done += static_cast<std::size_t>(n);
    }
  }
  ::close(fd);
  if (s != status::kOk) {
    out.clear();
  }
  return s;
}

}  // namespace

Status LinkSession::SendFile(std::span<const std::uint8_t> data, std::string_view folder,
                             std::string_view name, const StartCallback& onStart,
                             const PacketCallback& onPacket) {
  if (data.size() > std::numeric_limits<std::uint32_t>::max()) {
    return status::kReadFileFailed;  // a console file size has 32 bits
  }
  // Both texts are checked before the first packet: a refused send leaves
  // the console waiting for nothing.
  if (!FitsStringPacket(folder) || !FitsStringPacket(name)) {
    return status::kIoFailed;
  }
  const auto size = static_cast<std::uint32_t>(data.size());
  if (onStart && onStart(TransferStart{std::string(name), std::string(folder), std::string(name),
                                       size}) == status::kStopped) {
    return status::kStopped;
  }
  if (Status s = SendCommand(wire::cmd::kSendFile, folder); s != status::kOk) {
    return s;
  }
  if (Status s = Expect(40, wire::reply::kSendFolderOk, true); s != status::kOk) {
    return s;
  }
  if (Status s = Step(SendString(name)); s != status::kOk) {
    return s;
  }
  if (Status s = Expect(40, wire::reply::kSendNameOk); s != status::kOk) {
    return s;
  }
  if (Status s = Step(SendValue(size)); s != status::kOk) {
    return s;
  }
  std::uint32_t offset = 0;
  for (;;) {
    if (Status s = Expect(40, wire::reply::kSendWantLength); s != status::kOk) {
      return s;
    }
    if (offset == size) {
      // All blocks are out (at once for a file of 0 bytes): the final length 0.
      if (Status s = Step(SendValue(0)); s != status::kOk) {
        return s;
      }
      return Expect(40, wire::reply::kSendDone);
    }
    const std::uint32_t length = std::min(blockSize_, size - offset);
    if (Status s = Step(SendValue(length)); s != status::kOk) {
      return s;
    }
    if (Status s = Expect(40, wire::reply::kSendWantData); s != status::kOk) {
      return s;
    }
    // The data packets of a block go out back to back, with no reply between.
    const std::uint32_t end = offset + length;
    while (offset < end) {
      const std::uint32_t n = std::min<std::uint32_t>(kPacketSize, end - offset);
      if (Status s = Step(SendData(data.subspan(offset, n))); s != status::kOk) {
        return s;
      }
      offset += n;
      if (onPacket && onPacket(TransferProgress{offset, size, n}) == status::kStopped) {
        return StoppedInside();  // the console waits for the rest of the block
      }
    }
  }
}

Status LinkSession::ReceiveFile(std::string_view path, std::string_view displayName,
                                std::vector<std::uint8_t>& out, const StartCallback& onStart,
                                const PacketCallback& onPacket) {
  out.clear();
  if (Status s = SendCommand(wire::cmd::kReceiveFile, path); s != status::kOk) {
    return s;
  }
  if (Status s = ReadReply(40); s != status::kOk) {
    return s;
  }
  const std::uint32_t total = ReadLe32(packet_, 0);
  if (total == wire::kNoSuchFileSize) {
    return status::kConsoleFailed;  // the console could not open the file
  }
  if (total > wire::kLargestCard) {
    return status::kCommError;  // no card holds such a file
  }
  if (onStart && onStart(TransferStart{std::string(path), {}, std::string(displayName), total}) ==
                     status::kStopped) {
    return StoppedInside();  // the console waits for the host's next step
  }
  if (total == 0) {
    // Nothing to fetch: the exchange ends at once.
    return Step(SendCode(wire::cmd::kReceiveDone));
  }
  std::vector<std::uint8_t> buffer;
  Status s = status::kOk;
  try {
    buffer.reserve(std::min<std::size_t>(total, kInitialReserve));
    s = ReceiveChunks(total, buffer, onPacket);
  } catch (const std::bad_alloc&) {
    s = status::kNoMemory;
  }
  if (s == status::kOk) {
    out = std::move(buffer);
  }
  return s;
}

Status LinkSession::ReceiveChunks(std::uint32_t total, std::vector<std::uint8_t>& out,
                                  const PacketCallback& onPacket) {
  for (;;) {
    if (Status s = Step(SendCode(wire::cmd::kNextChunk)); s != status::kOk) {
      return s;
    }
    if (Status s = ReadReply(40); s != status::kOk) {
      return s;
    }
    const std::uint32_t chunk = ReadLe16(packet_, 0);
    const std::uint32_t remaining = total - static_cast<std::uint32_t>(out.size());
    // A chunk beyond the announced size, or one that moves nothing, cannot be right.
    if (chunk > remaining || chunk == 0) {
      return status::kCommError;
    }
    if (Status s = Step(SendCode(wire::cmd::kChunkData)); s != status::kOk) {
      return s;
    }
    std::uint32_t inChunk = 0;
    while (inChunk < chunk) {
      if (Status s = ReadReply(40); s != status::kOk) {
        return s;
      }
      const std::uint32_t n = std::min<std::uint32_t>(kPacketSize, chunk - inChunk);
      out.insert(out.end(), packet_.begin(), packet_.begin() + n);
      inChunk += n;
      const auto done = static_cast<std::uint32_t>(out.size());
      if (onPacket && onPacket(TransferProgress{done, total, n}) == status::kStopped) {
        return StoppedInside();  // the console waits for the go-on inside a chunk
      }
      if (done == total) {
        if (inChunk != chunk) {
          return status::kCommError;
        }
        return Step(SendCode(wire::cmd::kReceiveDone));
      }
      if (Status s = Step(SendCode(wire::cmd::kGoOn)); s != status::kOk) {
        return s;
      }
    }
  }
}

Status LinkSession::TransferFile(const std::string& source, const std::string& targetFolder,
                                 const std::string& name, Direction direction,
                                 const StartCallback& onStart, const PacketCallback& onPacket) {
  std::vector<std::uint8_t> data;
  pcError_ = 0;
  if (direction == Direction::ToConsole) {
    if (Status s = ReadLocalFile(source, data, pcError_); s != status::kOk) {
      return s;
    }
    return SendFile(data, targetFolder, name, onStart, onPacket);
  }
  // The PC name must stay inside the chosen folder.
  if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) {
    return status::kCreateFileFailed;
  }
  if (Status s = ReceiveFile(source, name, data, onStart, onPacket); s != status::kOk) {
    return s;
  }
  errno = 0;
  const ReplaceResult replaced = ReplaceFile(std::filesystem::path(targetFolder) / name, data);
  if (replaced != ReplaceResult::kOk) {
    pcError_ = errno;
  }
  switch (replaced) {
    case ReplaceResult::kOk:
      return status::kOk;
    case ReplaceResult::kCreateFailed:
      return status::kCreateFileFailed;
    case ReplaceResult::kWriteFailed:
      return status::kShortWrite;
  }
  return status::kShortWrite;
}

}  // namespace zq
