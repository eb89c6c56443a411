#pragma once

// Row loops shared by the 1:1 and scaled copies: the copy step at weights 1 to
// 256 (with or without source alpha) and the 50% word average. The SSE2
// versions give exactly the bits of the scalar combine step. Internal.

#include <cstdint>

#include "raster/PXCombine.h"

#if defined(__SSE2__)
#include <emmintrin.h>

// s + trunc((d - s) * k / 256) in 16-bit lanes, k from 0 to 256: the copy step
// with k = 256 - w. Written as (d k + s (256 - k) + bias) / 256, which rounds
// down when d >= s and up (bias 255) when d < s, i.e. toward s as truncating
// the difference does; every term stays below 65536.
inline __m128i PXLerpLanes(__m128i d16, __m128i s16, __m128i k16) {
  const __m128i sourceWeight = _mm_sub_epi16(_mm_set1_epi16(256), k16);
  const __m128i bias = _mm_and_si128(_mm_cmpgt_epi16(s16, d16), _mm_set1_epi16(255));
  const __m128i sum = _mm_add_epi16(
      _mm_add_epi16(_mm_mullo_epi16(d16, k16), _mm_mullo_epi16(s16, sourceWeight)), bias);
  return _mm_srli_epi16(sum, 8);
}

// Four pixels of the copy step; k32 holds each pixel's 256 - w in a 32-bit lane.
inline __m128i PXLerpPixels(__m128i d, __m128i s, __m128i k32) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i k16 = _mm_packs_epi32(k32, k32);
  const __m128i kPairs = _mm_unpacklo_epi16(k16, k16);
  const __m128i kLo = _mm_unpacklo_epi32(kPairs, kPairs);
  const __m128i kHi = _mm_unpackhi_epi32(kPairs, kPairs);
  const __m128i lo = PXLerpLanes(_mm_unpacklo_epi8(d, zero), _mm_unpacklo_epi8(s, zero), kLo);
  const __m128i hi = PXLerpLanes(_mm_unpackhi_epi8(d, zero), _mm_unpackhi_epi8(s, zero), kHi);
  return _mm_packus_epi16(lo, hi);
}

// 256 - w' per pixel for copy with source alpha, w' = w * (sa + 1) / 256, and
// 256 (destination kept) where the source alpha is 0.
inline __m128i PXSourceAlphaKeep(__m128i s, int w) {
  const __m128i alpha = _mm_srli_epi32(s, 24);
  const __m128i alphaPlusOne = _mm_add_epi32(alpha, _mm_set1_epi32(1));
  // w < 256 keeps w * (sa + 1) below 65536, where the 16-bit multiply is exact.
  const __m128i weighted =
      w == 256 ? alphaPlusOne : _mm_srli_epi32(_mm_mullo_epi16(alphaPlusOne, _mm_set1_epi32(w)), 8);
  const __m128i full = _mm_set1_epi32(256);
  const __m128i keep = _mm_sub_epi32(full, weighted);
  const __m128i transparent = _mm_cmpeq_epi32(alpha, _mm_setzero_si128());
  return _mm_or_si128(_mm_and_si128(transparent, full), _mm_andnot_si128(transparent, keep));
}
#endif

// Copy step over n pixels, 1 <= w <= 256.
template <bool kSourceAlpha>
inline void PXCopyRowWeighted(uint32_t* d, const uint32_t* s, int n, int w) {
  int i = 0;
#if defined(__SSE2__)
  const __m128i constantKeep = _mm_set1_epi32(256 - w);
  for (; i + 4 <= n; i += 4) {
    const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
    const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
    if constexpr (kSourceAlpha) {
      // Artwork is mostly fully transparent or fully opaque: those groups of
      // four need no arithmetic (skipped, or stored as they are at full weight).
      const __m128i alpha = _mm_srli_epi32(sv, 24);
      if (_mm_movemask_epi8(_mm_cmpeq_epi32(alpha, _mm_setzero_si128())) == 0xFFFF) continue;
      if (w == 256 && _mm_movemask_epi8(_mm_cmpeq_epi32(alpha, _mm_set1_epi32(255))) == 0xFFFF) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), sv);
        continue;
      }
    }
    const __m128i keep = kSourceAlpha ? PXSourceAlphaKeep(sv, w) : constantKeep;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), PXLerpPixels(dv, sv, keep));
  }
#endif
  for (; i < n; ++i) PXCombineWord<PXStep::kCopy, kSourceAlpha>(d + i, s[i], w);
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
