#include <gtest/gtest.h>

#include <random>

#include "raster/PXBlit.h"
#include "raster/PXFill.h"
#include "raster/PXMode.h"
#include "tests/raster/RasterReference.h"

namespace {

constexpr uint32_t kModes[] = {
    PX_COMBINE_COPY,
    PX_COMBINE_COPY | PX_SOURCE_ALPHA,
    PX_COMBINE_ADD,
    PX_COMBINE_ADD | PX_SOURCE_ALPHA,
    PX_COMBINE_DODGE,
    PX_COMBINE_DODGE | PX_SOURCE_ALPHA,
    PX_COMBINE_MULTIPLY,
    PX_COMBINE_MULTIPLY | PX_SOURCE_ALPHA,
    PX_COMBINE_OVERLAY,
    PX_COMBINE_OVERLAY | PX_SOURCE_ALPHA,
    PX_COMBINE_CHANNEL | 7,
    PX_COMBINE_COPY | PX_SAMPLE_BILINEAR,
    9,
};

float RandomAlpha(std::mt19937& rng) {
  constexpr float kSpecial[] = {1.0f, 0.5f, 0.75f, 0.25f, 0.6f, 0.0f, 1.0f / 256.0f};
  if (rng() % 2) return kSpecial[rng() % std::size(kSpecial)];
  return std::uniform_real_distribution<float>(-0.5f, 1.5f)(rng);
}

struct Shape {
  int width, height, extraSpan;
  bool flipped;
};

Shape RandomShape(std::mt19937& rng, int maxSide) {
  return Shape{1 + static_cast<int>(rng() % maxSide), 1 + static_cast<int>(rng() % maxSide),
               static_cast<int>(rng() % 3), rng() % 4 == 0};
}

int Uniform(std::mt19937& rng, int lo, int hi) {
  return std::uniform_int_distribution<int>(lo, hi)(rng);
}

struct BlitArgs {
  uint32_t mode;
  float alpha;
  int srcX, srcY, width, height, destX, destY;
};

// PXBlit and the reference on copies of one random destination, from one
// random source; `draw` picks the arguments once the pixels are drawn.
template <class Draw>
testing::AssertionResult BlitMatchesReference(std::mt19937& rng, const Shape& ss, const Shape& ds,
                                              Draw&& draw) {
  TestBitmap src(ss.width, ss.height, ss.extraSpan, ss.flipped);
  TestBitmap fast(ds.width, ds.height, ds.extraSpan, ds.flipped);
  ref::Randomise(src, rng);
  ref::Randomise(fast, rng);
  TestBitmap slow = fast;
  const BlitArgs a = draw();
  PXBlit(&fast, &src, a.destX, a.destY, a.srcX, a.srcY, a.width, a.height, a.alpha, a.mode);
  ref::Blit(slow, src, a.destX, a.destY, a.srcX, a.srcY, a.width, a.height, a.alpha, a.mode);
  if (fast.Memory() == slow.Memory()) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "mode " << a.mode << " alpha " << a.alpha;
}

}  // namespace

// Every blit loop (verbatim, average, vector copy steps, per-mode loops,
// channel copy) against the per-pixel reference, flipped and padded bitmaps
// included.
TEST(Differential, BlitMatchesReference) {
  for (uint32_t seed = 1; seed <= 3000; ++seed) {
    std::mt19937 rng(seed);
    const Shape ss = RandomShape(rng, 40), ds = RandomShape(rng, 50);
    ASSERT_TRUE(BlitMatchesReference(
        rng, ss, ds,
        [&] {
          const uint32_t mode = kModes[rng() % std::size(kModes)];
          const float alpha = RandomAlpha(rng);
          const int srcX = Uniform(rng, -10, 45), srcY = Uniform(rng, -10, 45);
          const int width = Uniform(rng, -2, 50), height = Uniform(rng, -2, 50);
          const int destX = Uniform(rng, -20, 55), destY = Uniform(rng, -20, 55);
          return BlitArgs{mode, alpha, srcX, srcY, width, height, destX, destY};
        }))
        << "seed " << seed;
  }
}

// The copy loops (verbatim, average, weighted, source alpha at full and
// partial weight) on rows long enough for their vector groups and tails, over
// sources of uniform and mixed alpha, at weights where w' = w (sa + 1) / 256
// often reaches 0.
TEST(Differential, CopyStepsMatchReference) {
  constexpr uint32_t kCopyModes[] = {PX_COMBINE_COPY, PX_COMBINE_COPY | PX_SOURCE_ALPHA,
                                     PX_COMBINE_COPY | PX_SOURCE_ALPHA | PX_SAMPLE_BILINEAR};
  constexpr float kAlphas[] = {1.0f, 1.0f, 0.5f, 0.999f, 1.0f / 256.0f, 3.0f / 256.0f, 0.02f};
  for (uint32_t seed = 1; seed <= 2000; ++seed) {
    std::mt19937 rng(seed);
    Shape ss = RandomShape(rng, 70), ds = RandomShape(rng, 80);
    // Bitmaps of one width without padding, whose whole rows lie end to end.
    const bool solid = seed % 4 == 0;
    if (solid) ss.extraSpan = ds.extraSpan = 0, ds.width = ss.width, ds.flipped = ss.flipped;
    ASSERT_TRUE(BlitMatchesReference(
        rng, ss, ds,
        [&] {
          const uint32_t mode = kCopyModes[rng() % std::size(kCopyModes)];
          const float alpha = rng() % 3 ? kAlphas[rng() % std::size(kAlphas)]
                                        : std::uniform_real_distribution<float>(0.0f, 1.0f)(rng);
          const int srcX = solid ? 0 : Uniform(rng, -5, 20), srcY = Uniform(rng, -5, 20);
          const int width = solid ? ss.width : Uniform(rng, 0, 80), height = Uniform(rng, 0, 30);
          const int destX = solid ? 0 : Uniform(rng, -10, 30), destY = Uniform(rng, -10, 30);
          return BlitArgs{mode, alpha, srcX, srcY, width, height, destX, destY};
        }))
        << "seed " << seed;
  }
}

TEST(Differential, FillMatchesReference) {
  constexpr uint32_t kFillModes[] = {PX_COMBINE_COPY,
                                     PX_COMBINE_ADD,
                                     PX_COMBINE_DODGE,
                                     PX_COMBINE_MULTIPLY,
                                     PX_COMBINE_OVERLAY,
                                     PX_COMBINE_COPY | PX_SOURCE_ALPHA,
                                     PX_COMBINE_ADD | PX_SOURCE_ALPHA};
  for (uint32_t seed = 1; seed <= 2000; ++seed) {
    std::mt19937 rng(seed);
    const Shape ds = RandomShape(rng, 30);
    TestBitmap fast(ds.width, ds.height, ds.extraSpan, ds.flipped);
    ref::Randomise(fast, rng);
    TestBitmap slow = fast;
    const uint32_t mode = kFillModes[rng() % std::size(kFillModes)];
    const float alpha = RandomAlpha(rng);
    const auto colour = static_cast<uint32_t>(rng());
    const int x = Uniform(rng, -10, 35), y = Uniform(rng, -10, 35);
    const int w = Uniform(rng, -2, 40), h = Uniform(rng, -2, 40);
    PXFillRect(&fast, x, y, w, h, colour, alpha, mode);
    ref::Fill(slow, x, y, w, h, colour, alpha, mode);
    ASSERT_EQ(fast.Memory(), slow.Memory())
        << "seed " << seed << " mode " << mode << " alpha " << alpha;
  }
}
