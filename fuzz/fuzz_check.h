#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

// What must hold for every input: a failed check is a finding, reported with
// the condition and its place, and the input is kept as the reproducer.
#define FUZZ_CHECK(condition)                                                                   \
  do {                                                                                          \
    if (!(condition)) {                                                                         \
      std::fprintf(stderr, "fuzz check failed: %s at %s:%d\n", #condition, __FILE__, __LINE__); \
      std::abort();                                                                             \
    }                                                                                           \
  } while (false)

namespace zq::fuzz {

// Texts the readers keep end at their first NUL.
inline bool HasNul(const std::string& text) {
  return text.find('\0') != std::string::npos;
}

}  // namespace zq::fuzz
