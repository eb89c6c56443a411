#pragma once

// The four-tap bilinear rule of the scaled and rotated copies. Internal.

#include <cstdint>

#include "raster/PXRows.h"

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
    for (int shift = 0; shift < 32; shift += 8) {
      const uint32_t v = (w11 * Channel(p11, shift) + w01 * Channel(p01, shift) +
                          w00 * Channel(p00, shift) + w10 * Channel(p10, shift)) /
                         65536;
      result |= v << shift;
    }
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
