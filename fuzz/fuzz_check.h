#pragma once

#include <cstdio>
#include <cstdlib>

// What must hold for every input: a failed check is a finding, reported with
// the condition and its place, and the input is kept as the reproducer.
#define FUZZ_CHECK(condition)                                                                   \
  do {                                                                                          \
    if (!(condition)) {                                                                         \
      std::fprintf(stderr, "fuzz check failed: %s at %s:%d\n", #condition, __FILE__, __LINE__); \
      std::abort();                                                                             \
    }                                                                                           \
  } while (false)
