#pragma once
// Searches for a few bytes in long text, sixteen bytes at a time where the processor has the
// instructions for it (SSE2, which every x86-64 processor has), else one at a time.
#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quorella {

// The first of `Bytes` at or after `p`; `end` when there is none.
template <char... Bytes>
[[gnu::always_inline]] inline const char* FindAnyOf(const char* p, const char* end) {
#if defined(__SSE2__)
  for (; end - p >= 16; p += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i found = (_mm_cmpeq_epi8(block, _mm_set1_epi8(Bytes)) | ...);
    if (const int mask = _mm_movemask_epi8(found); mask != 0)
      return p + __builtin_ctz(static_cast<unsigned>(mask));
  }
#endif
  while (p != end && ((*p != Bytes) && ...)) ++p;
  return p;
}

}  // namespace quorella
