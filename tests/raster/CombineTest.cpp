#include <gtest/gtest.h>

#include "raster/PXBlit.h"
#include "raster/PXFill.h"
#include "raster/PXMemBitmap.h"
#include "raster/PXMode.h"

namespace {

struct CombineCase {
  const char* name;
  uint32_t mode;
  float alpha;
  uint32_t dest;
  uint32_t src;
  uint32_t expected;
};

constexpr uint32_t SA = PX_SOURCE_ALPHA;

// Expected words worked out by hand from the formulas (divisions truncate).
const CombineCase kCombineCases[] = {
    {"copy full stores the source", PX_COMBINE_COPY, 1.0f, 0x11223344, 0xAABBCCDD, 0xAABBCCDD},
    {"copy 0.5 masked shift", PX_COMBINE_COPY, 0.5f, 0x00000000, 0xFFFFFFFF, 0x7F7F7F7F},
    {"copy 0.5 masked shift reverse", PX_COMBINE_COPY, 0.5f, 0xFFFFFFFF, 0x00000000, 0x7F7F7F7F},
    {"copy w128 general formula", PX_COMBINE_COPY, 0.501f, 0xC8C8C8C8, 0x64646464, 0x96969696},
    {"copy w128 truncates toward zero", PX_COMBINE_COPY, 0.501f, 0x64646464, 0xC9C9C9C9,
     0x97979797},
    {"copy odd w77", PX_COMBINE_COPY, 0.3008f, 0x0A0A0A0A, 0xFAFAFAFA, 0x53535353},
    {"copy sa full, alpha 0 skipped", SA, 1.0f, 0x12345678, 0x00FFFFFF, 0x12345678},
    {"copy sa full, opaque replaces", SA, 1.0f, 0x80A0B0C0, 0xFF102030, 0xFF102030},
    {"copy sa full, half alpha", SA, 1.0f, 0xFF000000, 0x80FFFFFF, 0xBF818181},
    {"copy sa w128 opaque", SA, 0.501f, 0x00000000, 0xFFFFFFFF, 0x80808080},
    {"copy sa 0.5 uses the formula", SA, 0.5f, 0x00000000, 0xFFFFFFFF, 0x80808080},
    {"add full clamps", PX_COMBINE_ADD, 1.0f, 0xC8C8C8C8, 0x64646464, 0xFFFFFFFF},
    {"add half", PX_COMBINE_ADD, 0.5f, 0x0A0A0A0A, 0x65656565, 0x3C3C3C3C},
    {"add odd w77", PX_COMBINE_ADD, 0.3008f, 0x0A0A0A0A, 0xFAFAFAFA, 0x55555555},
    {"add negative subtracts", PX_COMBINE_ADD, -0.5f, 0x64646464, 0x65656565, 0x32323232},
    {"add negative clamps at 0", PX_COMBINE_ADD, -0.5f, 0x14141414, 0x65656565, 0x00000000},
    {"add sa alpha 0 skipped", PX_COMBINE_ADD | SA, 1.0f, 0x12345678, 0x00FFFFFF, 0x12345678},
    {"add sa", PX_COMBINE_ADD | SA, 1.0f, 0x0A0A0A0A, 0x7FC8C8C8, 0x496E6E6E},
    {"dodge full", PX_COMBINE_DODGE, 1.0f, 0x64646464, 0x80808080, 0xC8C8C8C8},
    {"dodge saturates past 254", PX_COMBINE_DODGE, 1.0f, 0x64006400, 0xFFFFFFFF, 0xFF00FF00},
    {"dodge half", PX_COMBINE_DODGE, 0.5f, 0x64646464, 0xC8C8C8C8, 0xA4A4A4A4},
    {"dodge sa alpha 0 not skipped", PX_COMBINE_DODGE | SA, 1.0f, 0x64646464, 0x00C8C8C8,
     0x64646464},
    {"multiply full", PX_COMBINE_MULTIPLY, 1.0f, 0xC8C8C8C8, 0x80808080, 0x64646464},
    {"multiply half", PX_COMBINE_MULTIPLY, 0.5f, 0xC8C8C8C8, 0x00000000, 0x64646464},
    {"overlay full", PX_COMBINE_OVERLAY, 1.0f, 0x80808080, 0xFFFFFFFF, 0xBFBFBFBF},
    {"weight rounds to 0: nothing", PX_COMBINE_ADD, 0.001f, 0x12345678, 0xFFFFFFFF, 0x12345678},
    {"unknown mode: nothing", 6, 1.0f, 0x12345678, 0xFFFFFFFF, 0x12345678},
    {"mode 0xEF: nothing", 0xEF, 1.0f, 0x12345678, 0xFFFFFFFF, 0x12345678},
    {"channel red to blue", PX_COMBINE_CHANNEL | 2, 0.3f, 0x11223344, 0xAABBCCDD, 0x112233BB},
    {"channel alpha to green", PX_COMBINE_CHANNEL | 3 | (1 << 2), 1.0f, 0x11223344, 0xAABBCCDD,
     0x1122AA44},
    {"sampling bits ignored 1:1", PX_SAMPLE_BILINEAR, 0.5f, 0x00000000, 0xFFFFFFFF, 0x7F7F7F7F},
    {"NaN weight: nothing", PX_COMBINE_ADD, __builtin_nanf(""), 0x12345678, 0xFFFFFFFF, 0x12345678},
};

}  // namespace

// Every row runs as a 1x1 blit and inside a 7x1 block, so that both the
// scalar and the vector loops see it.
TEST(PXCombine, EachStepToTheBit) {
  for (const CombineCase& c : kCombineCases) {
    for (int width : {1, 7}) {
      PXMemBitmap dest(width, 1), src(width, 1);
      for (int x = 0; x < width; ++x) {
        dest.GetPixels()[x] = c.dest;
        src.GetPixels()[x] = c.src;
      }
      PXBlit(&dest, &src, 0, 0, c.alpha, c.mode);
      for (int x = 0; x < width; ++x) {
        EXPECT_EQ(dest.GetPixels()[x], c.expected) << c.name << " width " << width << " x " << x;
      }
    }
  }
}

TEST(PXCombine, HueStepKeepsGreyAndTakesSourceAlpha) {
  PXMemBitmap dest(1, 1), src(1, 1);
  // Neutral source (no hue turn, saturation and value unchanged) keeps the colour.
  dest.GetPixels()[0] = 0x20C08040;
  src.GetPixels()[0] = 0x77808080;
  PXBlit(&dest, &src, 0, 0, 1.0f, PX_COMBINE_HSV);
  const uint32_t kept = dest.GetPixels()[0];
  EXPECT_EQ(kept >> 24, 0x77u);
  EXPECT_NEAR(static_cast<int>((kept >> 16) & 0xFF), 0xC0, 2);
  EXPECT_NEAR(static_cast<int>((kept >> 8) & 0xFF), 0x80, 2);
  EXPECT_NEAR(static_cast<int>(kept & 0xFF), 0x40, 2);
  // Full value boost on black gives grey of value 127.
  dest.GetPixels()[0] = 0xFF000000;
  src.GetPixels()[0] = 0xFF8080FF;
  PXBlit(&dest, &src, 0, 0, 1.0f, PX_COMBINE_HSV);
  EXPECT_EQ(dest.GetPixels()[0], 0xFF7F7F7Fu);
}

TEST(PXFillRect, WordAveragesAndAlphaRules) {
  struct FillCase {
    const char* name;
    uint32_t mode;
    float alpha;
    uint32_t dest;
    uint32_t colour;
    uint32_t expected;
  } cases[] = {
      {"1.0 stores the word, alpha included", 0, 1.0f, 0xFF000000, 0x80112233, 0x80112233},
      {"0.75 is c/2 + c/4 + d/4", 0, 0.75f, 0x00000000, 0x80FFFFFF, 0x60BEBEBE},
      {"0.6 moves alpha toward the weight", 0, 0.6f, 0xFF000000, 0x80FFFFFF, 0xC2999999},
      {"0.5 is c/2 + d/2", 0, 0.5f, 0xFF000000, 0x80FFFFFF, 0xBF7F7F7F},
      {"0.25 is d/2 + d/4 + c/4", 0, 0.25f, 0xFF000000, 0x80FFFFFF, 0xDE3F3F3F},
      {"add stands the weight in as alpha", PX_COMBINE_ADD, 1.0f, 0x00101010, 0x00101010,
       0xFF202020},
      {"source alpha scales the weight", PX_SOURCE_ALPHA, 1.0f, 0xFF000000, 0x80FFFFFF, 0xBF7F7F7F},
      {"source alpha 0 draws nothing", PX_SOURCE_ALPHA, 1.0f, 0x12345678, 0x00FFFFFF, 0x12345678},
      {"negative copy weight draws nothing", 0, -0.3f, 0x12345678, 0xFFFFFFFF, 0x12345678},
      {"channel mode draws nothing", PX_COMBINE_CHANNEL, 1.0f, 0x12345678, 0xFFFFFFFF, 0x12345678},
  };
  for (const FillCase& c : cases) {
    PXMemBitmap b(3, 2);
    for (int i = 0; i < 6; ++i) b.GetPixels()[i] = c.dest;
    PXFillRect(&b, 0, 0, 3, 2, c.colour, c.alpha, c.mode);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(b.GetPixels()[i], c.expected) << c.name;

    // PXPutPixel takes the colour's own alpha as the source alpha instead.
    if (c.alpha == 0.6f) {
      b.GetPixels()[0] = c.dest;
      PXPutPixel(&b, 0, 0, c.colour, c.alpha, c.mode);
      // alpha: (255 - 128) * 103 / 256 + 128 = 179
      EXPECT_EQ(b.GetPixels()[0], 0xB3999999u);
    }
  }
}
