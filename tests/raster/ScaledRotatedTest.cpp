#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "raster/PXBlit.h"
#include "raster/PXMode.h"
#include "raster/PXRotatedBlit.h"
#include "raster/PXScaledBlit.h"
#include "tests/raster/RasterReference.h"

namespace {

uint32_t Bilinear(TestBitmap& s, int col, int row, uint32_t fx, uint32_t fy, int right,
                  int bottom) {
  uint32_t out = 0;
  for (int i = 0; i < 4; ++i) {
    const auto p = [&](int x, int y) { return static_cast<uint32_t>(ref::Byte(s.At(x, y), i)); };
    uint32_t v = 0;
    if (col < right - 1 && row < bottom - 1) {
      const uint32_t w11 = (fx * fy) >> 16, w01 = fy - w11, w10 = fx - w11;
      const uint32_t w00 = 65536 - w10 - fy;
      v = (w11 * p(col + 1, row + 1) + w01 * p(col, row + 1) + w00 * p(col, row) +
           w10 * p(col + 1, row)) /
          65536;
    } else if (row < bottom - 1) {
      v = (p(col, row) * (65536 - fy) + p(col, row + 1) * fy) >> 16;
    } else if (col < right - 1) {
      v = (p(col, row) * (65536 - fx) + p(col + 1, row) * fx) >> 16;
    } else {
      v = p(col, row);
    }
    out |= v << (8 * i);
  }
  return out;
}

uint32_t Box(TestBitmap& s, int col, int row, int k, int right, int bottom, bool* any) {
  uint32_t sum[4] = {}, count = 0;
  for (int y = row - k / 2; y <= row + k / 2; ++y)
    for (int x = col - k / 2; x <= col + k / 2; ++x) {
      if (x < 0 || y < 0 || x >= right || y >= bottom) continue;
      ++count;
      for (int i = 0; i < 4; ++i) sum[i] += static_cast<uint32_t>(ref::Byte(s.At(x, y), i));
    }
  *any = count > 0;
  uint32_t out = 0;
  for (int i = 0; count && i < 4; ++i) out |= (sum[i] / count) << (8 * i);
  return out;
}

// PXScaledBlit from the formulas, for destination rectangles inside the bitmap
// and source rectangles inside the source, so that only the sampling rules
// are needed.
void ReferenceScaled(TestBitmap& slow, TestBitmap& src, int dx, int dy, int dw, int dh, float fx,
                     float fy, float fw, float fh, float alpha, uint32_t mode) {
  const int sw = src.GetWidth(), sh = src.GetHeight();
  const double xstep = static_cast<double>(fw) / dw, ystep = static_cast<double>(fh) / dh;
  const auto sx = static_cast<int64_t>(static_cast<double>(fx) * 65536.0);
  const auto sy = static_cast<int64_t>(static_cast<double>(fy) * 65536.0);
  const auto dsx = static_cast<int64_t>(xstep * 65536.0);
  const auto dsy = static_cast<int64_t>(ystep * 65536.0);
  const int right = std::min(sw, static_cast<int>(std::ceil(fx + fw)));
  const int bottom = std::min(sh, static_cast<int>(std::ceil(fy + fh)));
  const int w = static_cast<int>(alpha * 256.0f);
  const bool bilinear = (mode & 0xFF00) == 0x100;
  const bool box = bilinear && xstep >= 1.7 && ystep >= 1.7;
  const int k = std::max(dsx, dsy) <= 0x30000 ? 3 : 5;
  for (int j = 0; j < dh; ++j) {
    for (int i = 0; i < dw; ++i) {
      const int64_t u = sx + i * dsx, t = sy + j * dsy;
      const int col = static_cast<int>(u / 65536), row = static_cast<int>(t / 65536);
      if (col >= right || row >= bottom) continue;
      uint32_t p = 0;
      if (box) {
        bool any = false;
        p = Box(src, col, row, k, right, bottom, &any);
        if (!any) continue;
      } else if (bilinear) {
        p = Bilinear(src, col, row, static_cast<uint32_t>(u & 0xFFFF),
                     static_cast<uint32_t>(t & 0xFFFF), right, bottom);
      } else {
        p = src.At(col, row);
      }
      uint32_t& d = slow.At(dx + i, dy + j);
      if ((mode & 0x1FFFF) == 0 && w == 256) {
        d = p;
      } else if ((mode & 0x1FFFF) == 0 && w == 128) {
        d = ref::Half(p) + ref::Half(d);
      } else {
        ref::CombineWord(d, p, w, mode & 0x100FF);
      }
    }
  }
}

}  // namespace

// Destination rectangles inside the bitmap and source rectangles inside the
// source, so that the reference needs only the sampling rules.
TEST(Differential, ScaledBlitMatchesReference) {
  constexpr uint32_t kModes[] = {0,
                                 PX_SAMPLE_BILINEAR,
                                 PX_SOURCE_ALPHA,
                                 PX_SOURCE_ALPHA | PX_SAMPLE_BILINEAR,
                                 PX_COMBINE_ADD,
                                 PX_COMBINE_ADD | PX_SAMPLE_BILINEAR | PX_SOURCE_ALPHA};
  constexpr float kAlphas[] = {1.0f, 0.5f, 0.3f, 0.75f};
  for (uint32_t seed = 1; seed <= 1500; ++seed) {
    std::mt19937 rng(seed);
    const int sw = 1 + static_cast<int>(rng() % 40), sh = 1 + static_cast<int>(rng() % 40);
    TestBitmap src(sw, sh, static_cast<int>(rng() % 2), rng() % 3 == 0);
    TestBitmap fast(40, 40);
    ref::Randomise(src, rng);
    ref::Randomise(fast, rng);
    TestBitmap slow = fast;
    const uint32_t mode = kModes[rng() % std::size(kModes)];
    const float alpha = kAlphas[rng() % std::size(kAlphas)];
    const int dw = 1 + static_cast<int>(rng() % 30), dh = 1 + static_cast<int>(rng() % 30);
    const int dx = static_cast<int>(rng() % static_cast<uint32_t>(41 - dw));
    const int dy = static_cast<int>(rng() % static_cast<uint32_t>(41 - dh));
    const float fx = static_cast<float>(rng() % 4) * 0.25f, fy = static_cast<float>(rng() % 3);
    const float fw = std::max(0.5f, static_cast<float>(sw) - fx - 0.25f * (rng() % 3));
    const float fh = std::max(0.5f, static_cast<float>(sh) - fy);
    if (fy >= static_cast<float>(sh)) continue;
    if (std::fabs(fw - static_cast<float>(dw)) < 0.001f ||
        std::fabs(fh - static_cast<float>(dh)) < 0.001f) {
      continue;  // 1:1 copies are PXBlit's
    }
    PXScaledBlit(&fast, &src, dx, dy, dw, dh, fx, fy, fw, fh, alpha, mode);

    ReferenceScaled(slow, src, dx, dy, dw, dh, fx, fy, fw, fh, alpha, mode);
    ASSERT_EQ(fast.Memory(), slow.Memory()) << "seed " << seed;
  }
}

// Wide rows for the bilinear row loops: long interior runs, their tails, the
// last source row and column, flipped and padded sources, fractional starts,
// and rows too wide for the row cache. Positions are multiples of 1/64 so that
// the reference's float sums are exact.
TEST(Differential, WideBilinearScaleMatchesReference) {
  for (uint32_t seed = 1; seed <= 300; ++seed) {
    std::mt19937 rng(seed);
    const bool huge = seed % 50 == 0;
    const int sw = huge ? 1100 + static_cast<int>(rng() % 100) : 2 + static_cast<int>(rng() % 260);
    const int sh = 2 + static_cast<int>(rng() % 30);
    TestBitmap src(sw, sh, static_cast<int>(rng() % 3), rng() % 3 == 0);
    const int dw = huge ? 2000 + static_cast<int>(rng() % 200) : 1 + static_cast<int>(rng() % 400);
    const int dh = 1 + static_cast<int>(rng() % 40);
    TestBitmap fast(dw + 3, dh + 2);
    ref::Randomise(src, rng);
    ref::Randomise(fast, rng);
    TestBitmap slow = fast;
    auto sixtyFourths = [&](int below) {
      return static_cast<float>(rng() % static_cast<uint32_t>(below * 64)) / 64.0f;
    };
    const float fx = sixtyFourths(sw), fy = sixtyFourths(sh);
    const float fw = std::max(1.0f / 64.0f, sixtyFourths(sw) + 1.0f - fx);
    const float fh = std::max(1.0f / 64.0f, sixtyFourths(sh) + 1.0f - fy);
    const uint32_t mode = seed % 7 == 0 ? PX_COMBINE_ADD | PX_SAMPLE_BILINEAR : PX_SAMPLE_BILINEAR;
    const float alpha = seed % 5 == 0 ? 0.75f : 1.0f;
    const int dx = static_cast<int>(rng() % 4), dy = static_cast<int>(rng() % 3);
    if (std::fabs(fw - static_cast<float>(dw)) < 0.001f &&
        std::fabs(fh - static_cast<float>(dh)) < 0.001f) {
      continue;  // 1:1 copies are PXBlit's
    }
    PXScaledBlit(&fast, &src, dx, dy, dw, dh, fx, fy, fw, fh, alpha, mode);
    ReferenceScaled(slow, src, dx, dy, dw, dh, fx, fy, fw, fh, alpha, mode);
    ASSERT_EQ(fast.Memory(), slow.Memory()) << "seed " << seed;
  }
}

TEST(PXScaledBlit, EqualSizesShortcutOnlyWhenAligned) {
  TestBitmap src(8, 1);
  for (int x = 0; x < 8; ++x) src.At(x, 0) = static_cast<uint32_t>(x * 32) * 0x01010101u;
  TestBitmap aligned(4, 1), between(4, 1);
  PXScaledBlit(&aligned, &src, 0, 0, 4, 1, 2.02f, 0.0f, 4.0f, 1.0f, 1.0f, PX_SAMPLE_BILINEAR);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(aligned.At(x, 0), src.At(x + 2, 0)) << x;
  PXScaledBlit(&between, &src, 0, 0, 4, 1, 2.05f, 0.0f, 4.0f, 1.0f, 1.0f, PX_SAMPLE_BILINEAR);
  EXPECT_NE(between.Visible(), aligned.Visible());
  EXPECT_EQ(between.At(0, 0), 0x41414141u);  // 64 + 5% of the way to 96, truncated
}

TEST(PXScaledBlit, BoxAverageCountsOnlyPixelsInsideTheSource) {
  // 6x6 of value 90 shrunk to 2x2 (step 3, 3x3 boxes): the corner box of the
  // first sample (centre column 0) holds 4 inside pixels, all 90: average 90,
  // not diluted by outside zeros.
  TestBitmap src(6, 6);
  for (uint32_t& p : src.Memory()) p = 0x5A5A5A5A;
  TestBitmap dest(2, 2);
  PXScaledBlit(&dest, &src, 0, 0, 2, 2, 0.0f, 0.0f, 6.0f, 6.0f, 1.0f, PX_SAMPLE_BILINEAR);
  for (uint32_t p : dest.Visible()) EXPECT_EQ(p, 0x5A5A5A5Au);
  // 5x5 boxes beyond step 3: one bright pixel two columns from the sample at
  // (0, 0); 3 x 3 of the box lie inside the source: 255 / 9.
  TestBitmap wide(16, 4);
  wide.At(2, 0) = 0xFFFFFFFF;
  TestBitmap one(1, 1);
  PXScaledBlit(&one, &wide, 0, 0, 1, 1, 0.0f, 0.0f, 16.0f, 4.0f, 1.0f, PX_SAMPLE_BILINEAR);
  EXPECT_EQ(one.At(0, 0), 0x1C1C1C1Cu);
}

TEST(PXScaledBlit, MirrorsAndScalesSubRectangles) {
  TestBitmap src(4, 1);
  for (int x = 0; x < 4; ++x) src.At(x, 0) = static_cast<uint32_t>(x + 1);
  TestBitmap mirrored(4, 1);
  PXScaledBlit(&mirrored, &src, 4, 0, -4, 1, 0.0f, 0.0f, 4.0f, 1.0f, 1.0f, 0);
  // Mirrored positions start at the source's right edge, which lies outside
  // it: the first destination pixel is skipped and column 0 never sampled.
  EXPECT_EQ(mirrored.Visible(), (std::vector<uint32_t>{0, 4, 3, 2}));
  // A sub-rectangle away from the origin fills the whole destination.
  TestBitmap doubled(4, 1);
  PXScaledBlit(&doubled, &src, 0, 0, 4, 1, 2.0f, 0.0f, 2.0f, 1.0f, 1.0f, 0);
  EXPECT_EQ(doubled.Visible(), (std::vector<uint32_t>{3, 3, 4, 4}));
  // Absurd inputs draw nothing and do not crash.
  PXScaledBlit(&doubled, &src, 0, 0, 4, 1, 1e30f, 0.0f, __builtin_nanf(""), 1.0f, 1.0f, 0);
  PXScaledBlit(&doubled, &src, -2147483647, 0, 2147483647, 1, -1e30f, 0.0f, 1e30f, 1.0f, 1.0f,
               PX_SAMPLE_BILINEAR);
}

TEST(PXRotatedBlit, AngleZeroReproducesTheSource) {
  std::mt19937 rng(7);
  TestBitmap src(9, 7);
  ref::Randomise(src, rng);
  for (uint32_t mode : {0u, 0x100u}) {
    TestBitmap dest(9, 7);
    PXRotatedBlit(&dest, &src, 0, 0, 9, 7, 0, 0, 9, 7, 0.0f, false, 1.0f, mode, 0, 0);
    EXPECT_EQ(dest.Visible(), src.Visible()) << mode;
  }
}

TEST(PXRotatedBlit, HalfTurnReversesAndClipsToSource) {
  TestBitmap src(4, 1);
  for (int x = 0; x < 4; ++x) src.At(x, 0) = static_cast<uint32_t>(x + 1);
  TestBitmap dest(4, 1);
  PXRotatedBlit(&dest, &src, 0, 0, 4, 1, 0, 0, 4, 1, 3.14159265f, false, 1.0f, 0, 0, 0);
  // Half-way positions truncate toward zero, so the row starts one pixel in.
  const std::vector<uint32_t> got = dest.Visible();
  EXPECT_EQ(got[1], 4u);
  EXPECT_EQ(got[3], 2u);
  TestBitmap clipped(4, 1);
  // Centre offset -1 moves the samples to columns 0 and 1; column 0 lies
  // outside the source rectangle (1, 0, 2, 1) and is skipped.
  PXRotatedBlit(&clipped, &src, 1, 0, 2, 1, 1, 0, 2, 1, 0.0f, true, 1.0f, 0, -1, 0);
  EXPECT_EQ(clipped.Visible(), (std::vector<uint32_t>{0, 0, 2, 0}));
  PXRotatedBlit(&clipped, &src, -5, -5, 1000, 1000, 0, 0, 4, 1, __builtin_nanf(""), true, 1.0f,
                0x100, 0, 0);
}
