#include "platform/socket_endpoint.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/cancel_signal.h"

namespace zq {

SocketEndpoint::~SocketEndpoint() {
  ::close(fd_);
}

IoResult SocketEndpoint::WaitFor(short events, const CancelSignal& cancel) {
  for (;;) {
    pollfd fds[2] = {{fd_, events, 0}, {cancel.Fd(), POLLIN, 0}};
    const int n = ::poll(fds, 2, -1);
    if (n < 0) {
      if (errno == EINTR) {
        continue;
      }
      return IoResult::kFailed;
    }
    if ((fds[1].revents & POLLIN) != 0) {
      return IoResult::kCancelled;
    }
    if (fds[0].revents != 0) {
      return IoResult::kOk;  // ready, or an error/hang-up the next call reports
    }
  }
}

IoResult SocketEndpoint::TryWrite(std::span<const std::uint8_t> packet, std::size_t& transferred) {
  transferred = 0;
  for (;;) {
    const ssize_t n = ::send(fd_, packet.data(), packet.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
    if (n >= 0) {
      transferred = static_cast<std::size_t>(n);
      return IoResult::kOk;
    }
    if (errno == EINTR) {
      continue;
    }
    if (errno == EPIPE || errno == ECONNRESET || errno == ENOTCONN) {
      return IoResult::kGone;
    }
    return errno == EAGAIN || errno == EWOULDBLOCK ? IoResult::kWouldBlock : IoResult::kFailed;
  }
}

IoResult SocketEndpoint::TryRead(std::span<std::uint8_t> buffer, std::size_t& transferred) {
  transferred = 0;
  for (;;) {
    const ssize_t n = ::recv(fd_, buffer.data(), buffer.size(), MSG_DONTWAIT);
    if (n >= 0) {
      transferred = static_cast<std::size_t>(n);
      return IoResult::kOk;
    }
    if (errno == EINTR) {
      continue;
    }
    return errno == EAGAIN || errno == EWOULDBLOCK ? IoResult::kWouldBlock : IoResult::kFailed;
  }
}

void SocketEndpoint::Resync() {
  std::uint8_t drop[512];
  while (::recv(fd_, drop, sizeof drop, MSG_DONTWAIT) > 0) {
  }
}

bool SocketEndpoint::WaitReady(bool forWrite, std::chrono::microseconds wait) {
  const short events = forWrite ? POLLOUT : POLLIN;
  pollfd p{fd_, events, 0};
  timespec limit{static_cast<time_t>(wait.count() / 1000000),
                 static_cast<long>(wait.count() % 1000000) * 1000};
  return ::ppoll(&p, 1, &limit, nullptr) == 1 && (p.revents & events) != 0;
}

bool SocketEndpoint::PeerGone() {
  pollfd p{fd_, POLLIN | POLLRDHUP, 0};
  if (::poll(&p, 1, 0) != 1) {
    return false;
  }
  if ((p.revents & (POLLHUP | POLLRDHUP | POLLERR)) != 0) {
    return true;
  }
  // A packet waiting is a late reply, not a departure: it stays for the next read.
  return false;
}

IoResult SocketEndpoint::Write(std::span<const std::uint8_t> packet, std::size_t& transferred,
                               const CancelSignal& cancel) {
  for (;;) {
    const IoResult r = TryWrite(packet, transferred);
    if (r != IoResult::kWouldBlock) {
      return r;
    }
    if (const IoResult w = WaitFor(POLLOUT, cancel); w != IoResult::kOk) {
      return w;
    }
  }
}

IoResult SocketEndpoint::Read(std::span<std::uint8_t> buffer, std::size_t& transferred,
                              const CancelSignal& cancel) {
  for (;;) {
    const IoResult r = TryRead(buffer, transferred);
    if (r != IoResult::kWouldBlock) {
      return r;
    }
    if (const IoResult w = WaitFor(POLLIN, cancel); w != IoResult::kOk) {
      return w;
    }
  }
}

int ConnectSeqpacket(const std::filesystem::path& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string& text = path.native();
  if (text.size() >= sizeof address.sun_path) {
    return -ENAMETOOLONG;
  }
  std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
  const int fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    return -errno;
  }
  // A Unix socket connects at once or fails (EAGAIN when the backlog is full).
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    const int error = errno;
    ::close(fd);
    return -error;
  }
  return fd;
}

}  // namespace zq
