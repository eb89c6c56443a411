#include <gtest/gtest.h>

#include <cmath>

#include "raster/PXDraw.h"
#include "raster/PXMode.h"
#include "tests/raster/RasterReference.h"

namespace {

std::vector<std::pair<int, int>> Lit(TestBitmap& b) {
  std::vector<std::pair<int, int>> out;
  for (int y = 0; y < b.GetHeight(); ++y)
    for (int x = 0; x < b.GetWidth(); ++x)
      if (b.At(x, y)) out.emplace_back(x, y);
  return out;
}

}  // namespace

TEST(PXLine, StraightDiagonalAndSlopedSegments) {
  TestBitmap b(10, 10);
  PXLine(&b, 2, 3, 6, 3, 0xFFFFFFFF, 1.0f, 0, false);
  EXPECT_EQ(Lit(b).size(), 5u);  // both end points included
  TestBitmap d(10, 10);
  PXLine(&d, 0, 0, 4, 4, 0xFFFFFFFF, 1.0f, 0, false);
  EXPECT_EQ(Lit(d), (std::vector<std::pair<int, int>>{{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}}));
  TestBitmap s(10, 10);
  PXLine(&s, 0, 0, 8, 2, 0xFFFFFFFF, 1.0f, 0, false);
  // Rounded to nearest from both ends: one pixel per column, symmetric.
  const auto lit = Lit(s);
  EXPECT_EQ(lit.size(), 9u);
  EXPECT_EQ(s.At(0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(s.At(8, 2), 0xFFFFFFFFu);
  EXPECT_EQ(s.At(4, 1), 0xFFFFFFFFu);
}

TEST(PXLine, ClipsAndSurvivesExtremes) {
  TestBitmap b(10, 10);
  PXLine(&b, -5, 5, 20, 5, 0xFFFFFFFF, 1.0f, 0, false);
  EXPECT_EQ(Lit(b).size(), 10u);
  TestBitmap e(10, 10);
  PXLine(&e, -100, -100, -50, -1, 0xFFFFFFFF, 1.0f, 0, true);
  EXPECT_TRUE(Lit(e).empty());
  PXLine(&e, -2147483647, 3, 2147483647, 7, 0xFFFFFFFF, 1.0f, 0, true);
  PXLine(&e, 3, -2147483647, 7, 2147483647, 0xFFFFFFFF, 0.5f, PX_COMBINE_ADD, false);
}

TEST(PXCircle, StaysOnItsRingAndInsideTheBitmap) {
  TestBitmap b(20, 20);
  PXCircle(&b, 10.0f, 10.0f, 6.0f, 0xFFFFFFFF, 1.0f, 0, false);
  const auto lit = Lit(b);
  ASSERT_FALSE(lit.empty());
  for (auto [x, y] : lit) {
    const double r = std::hypot(x - 10.0, y - 10.0);
    EXPECT_NEAR(r, 6.0, 0.5);
  }
  TestBitmap small(12, 12);
  PXCircle(&small, 5.0f, 5.0f, 3.0f, 0xFFFFFFFF, 1.0f, 0, true);
  EXPECT_FALSE(Lit(small).empty());
  TestBitmap edge(6, 6);
  PXCircle(&edge, 0.0f, 0.0f, 4.0f, 0xFFFFFFFF, 1.0f, 0, true);
  PXArc(&edge, 3.0f, 3.0f, 1e9f, 0.0f, 1.0f, 0xFFFFFFFF, 1.0f, 0, true);
  PXArc(&edge, 3.0f, 3.0f, 2.0f, __builtin_nanf(""), 1.0f, 0xFFFFFFFF, 1.0f, 0, true);
}

TEST(PXArc, DrawsOnlyItsAngles) {
  TestBitmap b(20, 20);
  PXArc(&b, 10.0f, 10.0f, 5.0f, 0.0f, 1.5707964f, 0xFFFFFFFF, 1.0f, 0, false);
  const auto lit = Lit(b);
  ASSERT_FALSE(lit.empty());
  for (auto [x, y] : lit) {
    EXPECT_GE(x, 10);  // the quarter to the right and below (y grows downward)
    EXPECT_GE(y, 10);
  }
}

TEST(PXLine, StraightSegmentsAverageOnlyAtExactWeights) {
  struct Case {
    float alpha;
    uint32_t expected;
  } cases[] = {{0.5f, 0x96969696}, {0.501f, 0x97979797}, {1.0f, 0xC9C9C9C9}};
  for (const Case& c : cases) {
    TestBitmap b(4, 1);
    for (uint32_t& p : b.Memory()) p = 0x64646464;
    PXLine(&b, 0, 0, 3, 0, 0xC9C9C9C9, c.alpha, PX_COMBINE_COPY, false);
    for (uint32_t p : b.Visible()) EXPECT_EQ(p, c.expected) << c.alpha;
  }
}
