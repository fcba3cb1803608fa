#pragma once
// The check a fuzz target makes about what the core did with its input: a broken promise
// aborts, so libFuzzer keeps the input and the replay test fails.

#include <cstdio>
#include <cstdlib>

namespace kov::fuzz {

inline void Check(bool holds, const char* promise) {
    if (!holds) {
        std::fprintf(stderr, "broken: %s\n", promise);
        std::abort();
    }
}

}  // namespace kov::fuzz
