#pragma once

#include <unistd.h>

namespace zq::emu {

// Closes a descriptor the console owns and marks it closed, so that a second
// close (the destructor after Close) does nothing.
inline void CloseFd(int& fd) {
  if (fd >= 0) {
    ::close(fd);
    fd = -1;
  }
}

}  // namespace zq::emu
