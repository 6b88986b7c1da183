#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "fuzz_check.h"

namespace zq::fuzz {

// A regular file held in memory (memfd), reachable by a path, so that the
// readers that take a path read the fuzzer's bytes without touching a disk.
class MemoryFile {
 public:
  MemoryFile() : fd_(::memfd_create("zq-fuzz-input", MFD_CLOEXEC)) {
    FUZZ_CHECK(fd_ >= 0);
    path_ = "/proc/self/fd/" + std::to_string(fd_);
  }
  ~MemoryFile() { ::close(fd_); }
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  // Makes the file hold exactly `bytes`.
  void Set(std::span<const std::uint8_t> bytes) {
    FUZZ_CHECK(::ftruncate(fd_, 0) == 0);
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n =
          ::pwrite(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
      FUZZ_CHECK(n > 0);
      done += static_cast<std::size_t>(n);
    }
  }

  // Makes the file `size` bytes long, sparse: a large size holds no memory.
  void Resize(std::uint64_t size) { FUZZ_CHECK(::ftruncate(fd_, static_cast<off_t>(size)) == 0); }

  const std::string& Path() const { return path_; }

 private:
  int fd_;
  std::string path_;
};

}  // namespace zq::fuzz
