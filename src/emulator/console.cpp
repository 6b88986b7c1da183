#include "emulator/console.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "emulator/close_fd.h"
#include "emulator/listen_socket.h"
#include "link/wire_codes.h"
#include "platform/device_directory.h"

namespace zq::emu {
namespace fs = std::filesystem;

Console::Console(ConsoleConfig config) : config_(std::move(config)), responder_(config_) {
  stopFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

Console::~Console() {
  Close();
  CloseFd(stopFd_);
}

bool Console::Open(std::string& error) {
  if (stopFd_ < 0) {
    error = "eventfd failed";
    return false;
  }
  std::string name = config_.interfaceName;
  if (name.empty()) {
    name = "zq61-emu-" + std::to_string(::getpid());
  }
  interfaceDir_ = config_.deviceDir / name;
  std::error_code ec;
  // A device directory made here is private to this user, as a runtime folder is.
  if (fs::create_directories(config_.deviceDir, ec)) {
    fs::permissions(config_.deviceDir, fs::perms::owner_all, ec);
  }
  if (ec) {
    error = "cannot create " + config_.deviceDir.string() + ": " + ec.message();
    return false;
  }
  fs::create_directories(interfaceDir_, ec);
  if (ec) {
    error = "cannot create " + interfaceDir_.string() + ": " + ec.message();
    return false;
  }
  // The console-to-host endpoint comes last: a host's device search opens it,
  // and then the other one must already be there.
  listen02_ = ListenSeqpacket(interfaceDir_ / kHostToConsolePipe, error);
  if (listen02_ >= 0) {
    listen00_ = ListenSeqpacket(interfaceDir_ / kConsoleToHostPipe, error);
  }
  if (listen00_ < 0) {
    Close();
    return false;
  }
  Log("console ready at " + interfaceDir_.string());
  return true;
}

void Console::Close() {
  if (session00_ >= 0 || session02_ >= 0) {
    EndSession("console closing");
  }
  for (int fd : waiting00_) {
    ::close(fd);
  }
  for (int fd : waiting02_) {
    ::close(fd);
  }
  waiting00_.clear();
  waiting02_.clear();
  CloseFd(listen00_);
  CloseFd(listen02_);
  if (!interfaceDir_.empty()) {
    std::error_code ec;
    fs::remove(interfaceDir_ / kConsoleToHostPipe, ec);
    fs::remove(interfaceDir_ / kHostToConsolePipe, ec);
    fs::remove(interfaceDir_, ec);  // only when nothing else was put there
    interfaceDir_.clear();
  }
}

void Console::Stop() {
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t n = ::write(stopFd_, &one, sizeof one);
}

void Console::AcceptAll() {
  // PIPE02 first: a host connects its PIPE00 before its PIPE02, so every
  // PIPE00 partner of an accepted PIPE02 is then waiting to be accepted.
  // The other order could take a PIPE02 whose PIPE00 arrived after the
  // PIPE00 queue was emptied, find no partner and close it: the host's
  // session was lost and its identification never answered.
  for (int fd; (fd = AcceptPending(listen02_)) >= 0;) {
    waiting02_.push_back(fd);
  }
  for (int fd; (fd = AcceptPending(listen00_)) >= 0;) {
    waiting00_.push_back(fd);
  }
  // Probes of the device search close at once; forget them.
  for (auto it = waiting00_.begin(); it != waiting00_.end();) {
    if (PeerClosed(*it)) {
      ::close(*it);
      it = waiting00_.erase(it);
    } else {
      ++it;
    }
  }
}

bool Console::StartSession() {
  while (!waiting02_.empty()) {
    const int in = waiting02_.front();
    waiting02_.pop_front();
    if (waiting00_.empty() || PeerClosed(in)) {
      ::close(in);  // a host without an open console-to-host pipe
      continue;
    }
    session02_ = in;
    session00_ = waiting00_.front();
    waiting00_.pop_front();
    responder_.StartSession();
    inSession_ = true;
    Log("host connected");
    return true;
  }
  return false;
}

void Console::EndSession(const char* why) {
  CloseFd(session00_);
  CloseFd(session02_);
  responder_.Abandon();
  inSession_ = false;
  ++sessionsEnded_;
  Log(std::string("host gone: ") + why);
}

bool Console::SendReply(const Packet& reply, std::size_t length) {
  for (;;) {
    const ssize_t n = ::send(session00_, reply.data(), length, MSG_DONTWAIT | MSG_NOSIGNAL);
    if (n >= 0) {
      return true;
    }
    if (errno == EINTR) {
      continue;
    }
    if (errno != EAGAIN && errno != EWOULDBLOCK) {
      return false;
    }
    pollfd fds[2] = {{session00_, POLLOUT, 0}, {stopFd_, POLLIN, 0}};
    if (::poll(fds, 2, -1) < 0 && errno != EINTR) {
      return false;
    }
    if ((fds[1].revents & POLLIN) != 0) {
      return false;
    }
  }
}

bool Console::ServePacket() {
  // One byte more than a packet shows a host that writes too much.
  std::uint8_t buffer[wire::kPacketSize + 1];
  const ssize_t n = ::recv(session02_, buffer, sizeof buffer, MSG_DONTWAIT);
  if (n < 0) {
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
  }
  if (n == 0) {
    EndSession("closed");
    return false;
  }
  const std::span<const std::uint8_t> packet(buffer, std::min<std::size_t>(n, wire::kPacketSize));
  for (const OutgoingReply& reply : responder_.OnPacket(packet)) {
    if (reply.halt == OutgoingReply::Halt::kIn) {
      continue;  // a socket cannot halt: the reply is not sent
    }
    if (!SendReply(reply.bytes, reply.length)) {
      EndSession("reply not taken");
      return false;
    }
  }
  if (responder_.LeaveRequested()) {
    EndSession("left");
    return false;
  }
  return true;
}

void Console::Run() {
  for (;;) {
    if (session02_ < 0) {
      AcceptAll();
      StartSession();
    }
    pollfd fds[5];
    nfds_t count = 0;
    fds[count++] = {stopFd_, POLLIN, 0};
    fds[count++] = {listen00_, POLLIN, 0};
    fds[count++] = {listen02_, POLLIN, 0};
    if (session02_ >= 0) {
      fds[count++] = {session02_, POLLIN, 0};
      fds[count++] = {session00_, 0, 0};  // hang-up only
    }
    const int timeout =
        session02_ >= 0 && responder_.InBlock() ? static_cast<int>(config_.blockGap.count()) : -1;
    const int ready = ::poll(fds, count, timeout);
    if (ready < 0) {
      if (errno == EINTR) {
        continue;
      }
      Log(std::string("poll: ") + std::strerror(errno));
      return;
    }
    if ((fds[0].revents & POLLIN) != 0) {
      std::uint64_t value = 0;
      [[maybe_unused]] const ssize_t n = ::read(stopFd_, &value, sizeof value);
      return;
    }
    if (ready == 0) {
      // The host stopped inside a block. Its remaining data packets must
      // never be read as commands, so the session ends: the host finds its
      // pipes closed and has to connect anew.
      EndSession("block abandoned by the host");
      continue;
    }
    if ((fds[1].revents | fds[2].revents) != 0) {
      AcceptAll();
    }
    if (session02_ < 0) {
      continue;
    }
    if (fds[3].revents != 0) {
      // Serve what is queued before looking at a hang-up: a host may write its
      // last packets and close at once.
      if (!ServePacket()) {
        continue;
      }
    } else if (fds[4].revents != 0) {
      EndSession("closed");
    }
  }
}

}  // namespace zq::emu
