#pragma once

// A function marked NANAREN_VECTOR_CLONES is compiled twice on x86-64 Linux:
// once for the processors with 256-bit vector operations (AVX2) and once for
// any x86-64. The loader picks the clone for the processor it runs on, so the
// program stays portable. Both clones give the same values to the last bit:
// the arithmetic is IEEE double and float either way, and floating-point
// contraction stays off, so no fused multiply-add is ever formed.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__linux__)
#define NANAREN_VECTOR_CLONES __attribute__((target_clones("arch=x86-64-v3", "default")))
#else
#define NANAREN_VECTOR_CLONES
#endif
