#pragma once

#include <cstdio>
#include <cstdlib>

// A broken invariant must stop the fuzzer the way a sanitizer finding does,
// with the input saved; assert() would vanish from a release-mode build.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
