// Marks a hot pixel loop to be compiled twice, for AVX2 and for the baseline instruction set,
// with the better one picked when the program starts. The loops are written plainly so that
// the compiler vectorises them at either width.
//
// Not under the thread sanitizer: it instruments the resolver that picks the version, and the
// resolver runs while the program is being loaded, before the sanitizer has started.
#pragma once

#if defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define TARN_THREAD_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_THREAD__)
#define TARN_THREAD_SANITIZER 1
#endif

#if defined(__x86_64__) && defined(__ELF__) && (defined(__GNUC__) || defined(__clang__)) && \
    !defined(TARN_THREAD_SANITIZER)
#define TARN_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define TARN_VECTOR_CLONES
#endif
