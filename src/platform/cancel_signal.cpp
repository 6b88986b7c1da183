#include "platform/cancel_signal.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>
#include <stdexcept>

namespace zq {

CancelSignal::CancelSignal() : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
  if (fd_ < 0) {
    throw std::runtime_error("eventfd failed");
  }
}

CancelSignal::~CancelSignal() {
  ::close(fd_);
}

void CancelSignal::Fire() {
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t n = ::write(fd_, &one, sizeof one);
}

void CancelSignal::Clear() {
  std::uint64_t value = 0;
  [[maybe_unused]] const ssize_t n = ::read(fd_, &value, sizeof value);
}

bool CancelSignal::Fired() const {
  pollfd p{fd_, POLLIN, 0};
  return ::poll(&p, 1, 0) > 0 && (p.revents & POLLIN) != 0;
}

}  // namespace zq
