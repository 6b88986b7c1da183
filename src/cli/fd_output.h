#pragma once

#include <array>
#include <streambuf>

namespace zq::cli {

// An output stream buffer over a file descriptor (standard output) that
// keeps the reason of the first write that failed, so that the run can say
// why its output was lost even when that happened long before its end.
class FdOutputBuffer : public std::streambuf {
 public:
  explicit FdOutputBuffer(int fd);
  ~FdOutputBuffer() override;
  FdOutputBuffer(const FdOutputBuffer&) = delete;
  FdOutputBuffer& operator=(const FdOutputBuffer&) = delete;

  // errno of the first failed write; 0 while every write went through.
  int Error() const { return error_; }

 protected:
  int_type overflow(int_type c) override;
  int sync() override;

 private:
  // Writes out what is buffered; false (and the error kept) when it could not.
  bool Drain();

  int fd_;
  int error_ = 0;
  std::array<char, 8192> buffer_{};
};

}  // namespace zq::cli
