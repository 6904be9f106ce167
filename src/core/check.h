#pragma once

#include <cstdio>
#include <cstdlib>

namespace nanaren {

[[noreturn]] inline void FailCheck(const char* expression, const char* file, int line) {
    std::fprintf(stderr, "Assertion failed: %s, file %s, line %d\n", expression, file, line);
    std::fflush(stderr);
    std::abort();
}

}  // namespace nanaren

// A consistency check that stays active in every build type: on failure it
// prints the expression as written, the source file and the line, then aborts.
#define NANAREN_ASSERT(expression) \
    ((expression) ? static_cast<void>(0) : ::nanaren::FailCheck(#expression, __FILE__, __LINE__))
