#pragma once

// Whole rows of the bilinear rule of raster/PXBilinear.h for a scaled copy:
// the interior samples of a row (both taps of each direction inside the
// bounds), four pixels at a time. Internal to the raster library.
//
// Per channel the four-tap sum is rewritten, exactly, as
//   65536 p00 + fy B + fx C + w11 A,
//   C = p10 - p00, B = p01 - p00, A = p11 - p01 - p10 + p00,
// since w00 + w10 + w01 + w11 = 65536. C, B and A depend only on the source
// column and row, so they are worked out once per source row pair and shared
// by every destination pixel and row that samples it. The 16-bit weights are
// offset by 32768 to fit signed multiply-adds; the offsets are paid back by
// 32768 (C + A + B) = 32768 (p11 - p00), which rides with 65536 p00 in the
// vertical pair as 16384 x 2 (p11 + p00).

#include <cstdint>

#include "raster/PXBilinear.h"
#include "raster/PXRows.h"

#if defined(__SSE2__)
#include <emmintrin.h>

class PXBilinearRows {
 public:
  // Source columns and destination pixels one row can cover; wider rows take
  // the per-pixel rule. Large: callers allocate this on the heap.
  static constexpr int kMaxColumns = 1024;
  static constexpr int kMaxPixels = 2048;

  // The walk starts at 16.16 column position sx and steps by dsx over `width`
  // destination pixels.
  PXBilinearRows(const PXRows& src, const PXSampleBounds& bounds, int64_t sx, int64_t dsx,
                 int width)
      : src_(src), bounds_(bounds), sx_(sx), dsx_(dsx) {
    // Interior samples are those left of the last column; they lead the row
    // when the walk starts inside the bounds and moves right. Positions must
    // also fit the 32-bit lanes of the weight arithmetic.
    const int64_t interiorEnd = static_cast<int64_t>(bounds.right - 1) * 65536;
    if (sx < static_cast<int64_t>(bounds.left) * 65536 || dsx < 1 || sx >= interiorEnd ||
        interiorEnd > INT32_MAX) {
      return;
    }
    const int64_t count = (interiorEnd - sx + dsx - 1) / dsx;
    const int interior = static_cast<int>(count < width ? count : width);
    firstColumn_ = static_cast<int>(sx >> 16);
    columnCount_ = static_cast<int>((sx + (interior - 1) * dsx) >> 16) - firstColumn_ + 1;
    if (columnCount_ > kMaxColumns || interior > kMaxPixels) return;
    interior_ = interior;
    // Every row samples the same columns.
    int64_t u = sx;
    for (int i = 0; i < interior_; ++i, u += dsx) {
      columnOf_[i] = static_cast<int>(u >> 16) - firstColumn_;
    }
  }

  // Stores the interior samples of source row `row` (fraction fy) at the
  // start of d; returns how many leading destination pixels it stored, the
  // rest being left to the per-pixel rule.
  int StoreRow(int64_t row, uint32_t fy, uint32_t* d) {
    if (interior_ == 0 || row < bounds_.top || row >= bounds_.bottom - 1) return 0;
    if (row != pairRow_) PreparePair(static_cast<int>(row));
    const __m128i vertical = _mm_set1_epi32(static_cast<int>((fy ^ 0x8000u) | 16384u << 16));
    const __m128i fyLanes = _mm_set1_epi32(static_cast<int>(fy));
    const __m128i lowHalf = _mm_set1_epi32(0xFFFF);
    const __m128i offset = _mm_set1_epi32(static_cast<int>(0x80008000u));
    const auto dsx = static_cast<uint32_t>(dsx_);
    auto u = static_cast<uint32_t>(sx_);
    __m128i positions =
        _mm_setr_epi32(static_cast<int>(u), static_cast<int>(u + dsx),
                       static_cast<int>(u + 2 * dsx), static_cast<int>(u + 3 * dsx));
    const __m128i step = _mm_set1_epi32(static_cast<int>(4 * dsx));
    auto sample = [&](int i, __m128i weights) {
      const Column& c = columns_[columnOf_[i]];
      const __m128i sum = _mm_add_epi32(_mm_madd_epi16(c.vertical, vertical),
                                        _mm_madd_epi16(c.horizontal, weights));
      return _mm_srli_epi32(sum, 16);
    };
    int i = 0;
    for (; i + 4 <= interior_; i += 4) {
      const __m128i fx = _mm_and_si128(positions, lowHalf);
      const __m128i w11 = _mm_mulhi_epu16(fx, fyLanes);
      const __m128i weights = _mm_xor_si128(_mm_or_si128(fx, _mm_slli_epi32(w11, 16)), offset);
      positions = _mm_add_epi32(positions, step);
      const __m128i p0 = sample(i + 0, _mm_shuffle_epi32(weights, 0x00));
      const __m128i p1 = sample(i + 1, _mm_shuffle_epi32(weights, 0x55));
      const __m128i p2 = sample(i + 2, _mm_shuffle_epi32(weights, 0xAA));
      const __m128i p3 = sample(i + 3, _mm_shuffle_epi32(weights, 0xFF));
      const __m128i packed = _mm_packus_epi16(_mm_packs_epi32(p0, p1), _mm_packs_epi32(p2, p3));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), packed);
    }
    for (u += static_cast<uint32_t>(i) * dsx; i < interior_; ++i, u += dsx) {
      const uint32_t fx = u & 0xFFFF;
      const uint32_t w11 = (fx * fy) >> 16;
      const __m128i p =
          sample(i, _mm_set1_epi32(static_cast<int>((fx ^ 0x8000u) | (w11 ^ 0x8000u) << 16)));
      const __m128i packed = _mm_packs_epi32(p, p);
      d[i] = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(packed, packed)));
    }
    return interior_;
  }

 private:
  // One source column of the cached row pair, per channel: the
  // (B, 2 (p11 + p00)) pair weighed by (fy, 1/2) and the (C, A) pair weighed by
  // (fx, w11), all offset as above.
  struct Column {
    __m128i vertical;
    __m128i horizontal;
  };

  // The columns of source rows `row` and row + 1.
  void PreparePair(int row) {
    pairRow_ = row;
    const uint32_t* top = src_.At(firstColumn_, row);
    const uint32_t* bottom = src_.At(firstColumn_, row + 1);
    const __m128i zero = _mm_setzero_si128();
    // Two columns per call, each tap widened to 16 bits.
    auto prepare = [&](int c, __m128i p00, __m128i p10, __m128i p01, __m128i p11, bool both) {
      const __m128i b = _mm_sub_epi16(p01, p00);
      const __m128i h = _mm_sub_epi16(p10, p00);
      const __m128i a = _mm_sub_epi16(_mm_sub_epi16(p11, p10), b);
      const __m128i e = _mm_add_epi16(p11, p00);
      const __m128i e2 = _mm_add_epi16(e, e);
      columns_[c] = Column{_mm_unpacklo_epi16(b, e2), _mm_unpacklo_epi16(h, a)};
      if (!both) return;
      columns_[c + 1] = Column{_mm_unpackhi_epi16(b, e2), _mm_unpackhi_epi16(h, a)};
    };
    auto load = [](const uint32_t* p) {
      return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    };
    int c = 0;
    // The right-hand taps of the last column lie one column further.
    for (; c + 4 <= columnCount_; c += 4) {
      const __m128i t0 = load(top + c), t1 = load(top + c + 1);
      const __m128i b0 = load(bottom + c), b1 = load(bottom + c + 1);
      prepare(c, _mm_unpacklo_epi8(t0, zero), _mm_unpacklo_epi8(t1, zero),
              _mm_unpacklo_epi8(b0, zero), _mm_unpacklo_epi8(b1, zero), true);
      prepare(c + 2, _mm_unpackhi_epi8(t0, zero), _mm_unpackhi_epi8(t1, zero),
              _mm_unpackhi_epi8(b0, zero), _mm_unpackhi_epi8(b1, zero), true);
    }
    auto widen = [&](const uint32_t* p) {
      return _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(*p)), zero);
    };
    for (; c < columnCount_; ++c) {
      prepare(c, widen(top + c), widen(top + c + 1), widen(bottom + c), widen(bottom + c + 1),
              false);
    }
  }

  const PXRows& src_;
  PXSampleBounds bounds_;
  int64_t sx_;
  int64_t dsx_;
  int interior_ = 0;
  int firstColumn_ = 0;
  int columnCount_ = 0;
  int pairRow_ = -1;
  Column columns_[kMaxColumns];
  int columnOf_[kMaxPixels];
};
#endif
