// A failed invariant in a fuzz target: say which, then abort so that libFuzzer keeps the input.
#pragma once

#include <cstdio>
#include <cstdlib>

#define QM_FUZZ_CHECK(condition)                                                             \
  do {                                                                                       \
    if (!(condition)) {                                                                      \
      std::fprintf(stderr, "%s:%d: invariant failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                          \
    }                                                                                        \
  } while (false)
