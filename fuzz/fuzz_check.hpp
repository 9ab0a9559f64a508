#pragma once

#include <cstdio>
#include <cstdlib>

// A promise of the code under fuzzing that an input broke: say which, and stop, so that the
// fuzzer keeps the input as a crasher and the replay fails on it.
#define FUZZ_REQUIRE(condition)                                                                \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: %s does not hold\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)
