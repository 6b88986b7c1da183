#include "cli/fd_output.h"

#include <unistd.h>

#include <cerrno>

namespace zq::cli {

FdOutputBuffer::FdOutputBuffer(int fd) : fd_(fd) {
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

FdOutputBuffer::~FdOutputBuffer() {
  Drain();
}

bool FdOutputBuffer::Drain() {
  const char* next = pbase();
  while (next < pptr()) {
    const ssize_t n = ::write(fd_, next, static_cast<std::size_t>(pptr() - next));
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      if (error_ == 0) {
        error_ = n < 0 ? errno : EIO;
      }
      setp(buffer_.data(), buffer_.data() + buffer_.size());
      return false;
    }
    next += n;
  }
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  return true;
}

FdOutputBuffer::int_type FdOutputBuffer::overflow(int_type c) {
  if (!Drain()) {
    return traits_type::eof();
  }
  if (!traits_type::eq_int_type(c, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
  }
  return traits_type::not_eof(c);
}

int FdOutputBuffer::sync() {
  return Drain() ? 0 : -1;
}

}  // namespace zq::cli
