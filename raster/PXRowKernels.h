#pragma once

// Row loops of the 1:1 copies: the copy step at weights 1 to 256 (with or
// without source alpha) and the 50% word average. The SSE2 versions give
// exactly the bits of the scalar combine step. Internal.

#include <cstdint>

#include "raster/PXCombine.h"

#if defined(__SSE2__)
#include <emmintrin.h>

// The copy step d = s + trunc((d - s) * k / 256) on four pixels, k = 256 - w
// from 0 to 255 per pixel, given as k << 8 in the 16-bit lanes of each pixel's
// channels (pixels 0-1 in kLo, 2-3 in kHi). Truncating the signed difference is
// scaling its magnitude |d - s| = sat(d - s) | sat(s - d), which stays within
// bytes, and moving from s toward d by the scaled magnitude.
inline __m128i PXLerpPixels(__m128i d, __m128i s, __m128i kLo, __m128i kHi) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i up = _mm_subs_epu8(d, s);
  const __m128i magnitude = _mm_or_si128(up, _mm_subs_epu8(s, d));
  const __m128i scaled = _mm_packus_epi16(_mm_mulhi_epu16(_mm_unpacklo_epi8(magnitude, zero), kLo),
                                          _mm_mulhi_epu16(_mm_unpackhi_epi8(magnitude, zero), kHi));
  // Bytes with d <= s move down: (t ^ -1) - (-1) = -t.
  const __m128i down = _mm_cmpeq_epi8(up, zero);
  return _mm_add_epi8(_mm_sub_epi8(s, down), _mm_xor_si128(scaled, down));
}

// Four pixels' k << 8, in both words of their 32-bit lanes, spread over their
// channels as PXLerpPixels takes them.
inline void PXSpreadKeepPairs(__m128i pairs, __m128i* kLo, __m128i* kHi) {
  *kLo = _mm_unpacklo_epi32(pairs, pairs);
  *kHi = _mm_unpackhi_epi32(pairs, pairs);
}
#endif

// Copy step over n pixels, 1 <= w <= 256; kFullWeight when w = 256.
template <bool kSourceAlpha, bool kFullWeight>
inline void PXCopyRowLoop(uint32_t* d, const uint32_t* s, int n, int w) {
  int i = 0;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  const __m128i constantKeep = _mm_set1_epi16(static_cast<short>((256 - w) << 8));
  for (; i + 4 <= n; i += 4) {
    const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
    __m128i kLo = constantKeep, kHi = constantKeep;
    // Pixels that keep the destination (k = 256, beyond the 16-bit lanes).
    __m128i kept = zero;
    if constexpr (kSourceAlpha) {
      if constexpr (kFullWeight) {
        // k = 256 - (sa + 1) = 255 - sa, which is the complemented alpha
        // byte; sa = 0 keeps the destination.
        const __m128i alphaByte = _mm_set1_epi32(static_cast<int>(0xFF000000u));
        const __m128i k24 = _mm_andnot_si128(sv, alphaByte);
        kept = _mm_cmpeq_epi32(k24, alphaByte);
        const int bits = _mm_movemask_epi8(_mm_packs_epi32(kept, _mm_cmpeq_epi32(k24, zero)));
        // Artwork is mostly fully transparent or fully opaque: those groups of
        // four need no arithmetic (skipped, or stored as they are). One branch
        // for both keeps the loop over mixed groups short.
        if ((bits == 0xFF) | (bits == 0xFF00)) {
          if (bits != 0xFF) _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), sv);
          continue;
        }
        PXSpreadKeepPairs(_mm_or_si128(k24, _mm_srli_epi32(k24, 16)), &kLo, &kHi);
      } else {
        // w' = w (sa + 1) / 256, exact in 16 bits for w < 256; it is 0 (the
        // destination kept) where sa = 0 and wherever w is small.
        const __m128i alpha = _mm_srli_epi32(sv, 24);
        const __m128i weighted = _mm_srli_epi32(
            _mm_mullo_epi16(_mm_add_epi32(alpha, _mm_set1_epi32(1)), _mm_set1_epi32(w)), 8);
        kept = _mm_cmpeq_epi32(weighted, zero);
        if (_mm_movemask_epi8(kept) == 0xFFFF) continue;
        const __m128i k8 = _mm_slli_epi32(_mm_sub_epi32(_mm_set1_epi32(256), weighted), 8);
        PXSpreadKeepPairs(_mm_or_si128(k8, _mm_slli_epi32(k8, 16)), &kLo, &kHi);
      }
    }
    const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
    __m128i out = PXLerpPixels(dv, sv, kLo, kHi);
    if constexpr (kSourceAlpha) {
      out = _mm_or_si128(_mm_and_si128(kept, dv), _mm_andnot_si128(kept, out));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), out);
  }
#endif
  for (; i < n; ++i) PXCombineWord<PXStep::kCopy, kSourceAlpha>(d + i, s[i], w);
}

// Copy step over n pixels, 1 <= w <= 256.
template <bool kSourceAlpha>
inline void PXCopyRowWeighted(uint32_t* d, const uint32_t* s, int n, int w) {
  if constexpr (kSourceAlpha) {
    if (w == 256) {
      PXCopyRowLoop<true, true>(d, s, n, w);
      return;
    }
  }
  PXCopyRowLoop<kSourceAlpha, false>(d, s, n, w);
}

// d = s/2 + d/2 on whole words.
inline void PXAverageRow(uint32_t* d, const uint32_t* s, int n) {
  int i = 0;
#if defined(__SSE2__)
  const __m128i mask = _mm_set1_epi32(0x7F7F7F7F);
  for (; i + 4 <= n; i += 4) {
    const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
    const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
    const __m128i sum = _mm_add_epi32(_mm_and_si128(_mm_srli_epi32(sv, 1), mask),
                                      _mm_and_si128(_mm_srli_epi32(dv, 1), mask));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), sum);
  }
#endif
  for (; i < n; ++i) d[i] = PXHalf(s[i]) + PXHalf(d[i]);
}
