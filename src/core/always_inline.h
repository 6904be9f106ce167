#pragma once

// Marks a function, or a lambda after its parameter list, that the compiler
// must inline: for the playout's per-direction steps, which are worth
// inlining into each of their calls, but which a compiler may otherwise keep
// out of line once the functions around them grow.
#if defined(__GNUC__) || defined(__clang__)
#define NANAREN_ALWAYS_INLINE __attribute__((always_inline))
#else
#define NANAREN_ALWAYS_INLINE
#endif
