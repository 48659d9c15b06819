// A row of R,G,B samples turned into a DIB's B,G,R, five pixels a step through the processor's
// byte shuffle where it has one, else a byte at a time. Header-only and platform-free, so the
// simulated scanner's TWAIN source turns its rows with the same loop as the library.
#pragma once
#include <cstdint>

#if defined(__i386__) || defined(__x86_64__)
#include <tmmintrin.h>
#define RED_BLUE_SWAP_SHUFFLE 1
#endif

namespace red_blue_swap {

#ifdef RED_BLUE_SWAP_SHUFFLE
// 16 bytes read and written a step, the last of them rewritten by the next step, so a step needs
// a sixth pixel after its five. Answers the pixels done.
__attribute__((target("ssse3"))) inline uint32_t Shuffled(uint8_t* dst, const uint8_t* src,
                                                         uint32_t width) {
  const __m128i order = _mm_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 14, 13, 12, 15);
  uint32_t x = 0;
  for (; x + 6 <= width; x += 5, src += 15, dst += 15) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), _mm_shuffle_epi8(v, order));
  }
  return x;
}

inline bool HasShuffle() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("ssse3");
}
#endif

}  // namespace red_blue_swap

inline void SwapRedBlue(uint8_t* dst, const uint8_t* src, uint32_t width) {
  uint32_t x = 0;
#ifdef RED_BLUE_SWAP_SHUFFLE
  static const bool shuffle = red_blue_swap::HasShuffle();
  if (shuffle) x = red_blue_swap::Shuffled(dst, src, width);
#endif
  for (; x < width; ++x) {
    dst[3 * x] = src[3 * x + 2];
    dst[3 * x + 1] = src[3 * x + 1];
    dst[3 * x + 2] = src[3 * x];
  }
}
