#pragma once

// The four-tap bilinear rule of the scaled and rotated copies. Internal.

#include <cstdint>

#include "raster/PXRows.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Integer sampling bounds [left, right) x [top, bottom) inside the source.
struct PXSampleBounds {
  int left;
  int top;
  int right;
  int bottom;

  bool Contains(int64_t column, int64_t row) const {
    return column >= left && column < right && row >= top && row < bottom;
  }
};

namespace px_bilinear_detail {
inline uint32_t Channel(uint32_t word, int shift) {
  return (word >> shift) & 0xFF;
}

// (w11 p11 + w01 p01 + w00 p00 + w10 p10) / 65536 per channel. The SSE2 form
// splits each weight (at most 65536) into w / 256 and w % 256, so that 16-bit
// multiply-adds give the same exact sums.
inline uint32_t Interior(uint32_t p00, uint32_t p10, uint32_t p01, uint32_t p11, uint32_t w00,
                         uint32_t w10, uint32_t w01, uint32_t w11) {
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  const __m128i top = _mm_unpacklo_epi8(_mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(p00)),
                                                          _mm_cvtsi32_si128(static_cast<int>(p10))),
                                        zero);
  const __m128i bottom =
      _mm_unpacklo_epi8(_mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(p01)),
                                          _mm_cvtsi32_si128(static_cast<int>(p11))),
                        zero);
  auto pair = [](uint32_t a, uint32_t b) { return _mm_set1_epi32(static_cast<int>(a | b << 16)); };
  const __m128i high = _mm_add_epi32(_mm_madd_epi16(top, pair(w00 >> 8, w10 >> 8)),
                                     _mm_madd_epi16(bottom, pair(w01 >> 8, w11 >> 8)));
  const __m128i low = _mm_add_epi32(_mm_madd_epi16(top, pair(w00 & 255, w10 & 255)),
                                    _mm_madd_epi16(bottom, pair(w01 & 255, w11 & 255)));
  __m128i sum = _mm_srli_epi32(_mm_add_epi32(_mm_slli_epi32(high, 8), low), 16);
  sum = _mm_packs_epi32(sum, sum);
  return static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(sum, sum)));
#else
  uint32_t result = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t v = (w11 * Channel(p11, shift) + w01 * Channel(p01, shift) +
                        w00 * Channel(p00, shift) + w10 * Channel(p10, shift)) /
                       65536;
    result |= v << shift;
  }
  return result;
#endif
}
}  // namespace px_bilinear_detail

// Samples at (column + fx / 65536, row + fy / 65536). The last row and column
// of the bounds interpolate in one direction only; false outside the bounds.
inline bool PXSampleBilinear(const PXRows& src, const PXSampleBounds& b, int64_t column,
                             int64_t row, uint32_t fx, uint32_t fy, uint32_t* out) {
  using px_bilinear_detail::Channel;
  if (!b.Contains(column, row)) return false;
  const int c = static_cast<int>(column);
  const int r = static_cast<int>(row);
  const uint32_t* p = src.At(c, r);
  const bool lastColumn = c == b.right - 1;
  const bool lastRow = r == b.bottom - 1;
  const uint32_t p00 = p[0];
  uint32_t result = 0;
  if (!lastColumn && !lastRow) {
    const uint32_t p10 = p[1];
    const uint32_t* below = src.At(c, r + 1);
    const uint32_t p01 = below[0];
    const uint32_t p11 = below[1];
    const uint32_t w11 = (fx * fy) >> 16;
    const uint32_t w01 = fy - w11;
    const uint32_t w10 = fx - w11;
    const uint32_t w00 = 65536 - w10 - fy;
    result = px_bilinear_detail::Interior(p00, p10, p01, p11, w00, w10, w01, w11);
  } else if (!lastRow) {
    const uint32_t p01 = src.At(c, r + 1)[0];
    for (int shift = 0; shift < 32; shift += 8) {
      const uint32_t v = (Channel(p00, shift) * (65536 - fy) + Channel(p01, shift) * fy) >> 16;
      result |= v << shift;
    }
  } else if (!lastColumn) {
    const uint32_t p10 = p[1];
    for (int shift = 0; shift < 32; shift += 8) {
      const uint32_t v = (Channel(p00, shift) * (65536 - fx) + Channel(p10, shift) * fx) >> 16;
      result |= v << shift;
    }
  } else {
    result = p00;
  }
  *out = result;
  return true;
}
