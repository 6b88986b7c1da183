#pragma once

#include <cstddef>

// The memory tests' program replaces the global operator new and delete with
// counting ones, so that a test can see the most bytes held at once while a
// reader works.
namespace zq::test {

// Bytes allocated through operator new and not yet freed.
std::size_t LiveBytes();

// The highest LiveBytes() since this object was made, less what was live then.
class PeakWatch {
 public:
  PeakWatch();
  std::size_t PeakBytes() const;

 private:
  std::size_t base_;
};

}  // namespace zq::test
