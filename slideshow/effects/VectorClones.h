// Marks a hot pixel loop to be compiled twice, for AVX2 and for the baseline instruction set,
// with the better one picked when the program starts. The loops are written plainly so that
// the compiler vectorises them at either width.
#pragma once

#if defined(__x86_64__) && defined(__ELF__) && (defined(__GNUC__) || defined(__clang__))
#define TARN_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define TARN_VECTOR_CLONES
#endif
