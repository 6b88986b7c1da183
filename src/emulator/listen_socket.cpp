#include "emulator/listen_socket.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zq::emu {

int ListenSeqpacket(const std::filesystem::path& path, std::string& error) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string& text = path.native();
  if (text.size() >= sizeof address.sun_path) {
    error = "endpoint path too long: " + text;
    return -1;
  }
  std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
  struct stat info {};
  if (::lstat(text.c_str(), &info) == 0) {
    if (!S_ISSOCK(info.st_mode)) {
      error = "not an endpoint, left alone: " + text;
      return -1;
    }
    ::unlink(text.c_str());
  }
  const int fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    error = std::string("socket: ") + std::strerror(errno);
    return -1;
  }
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(fd, 64) != 0) {
    error = "cannot listen at " + text + ": " + std::strerror(errno);
    ::close(fd);
    return -1;
  }
  return fd;
}

int AcceptPending(int listenFd) {
  for (;;) {
    const int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd >= 0 || errno != EINTR) {
      return fd;
    }
  }
}

bool PeerClosed(int fd) {
  pollfd p{fd, POLLIN, 0};
  if (::poll(&p, 1, 0) <= 0) {
    return false;
  }
  return (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

}  // namespace zq::emu
