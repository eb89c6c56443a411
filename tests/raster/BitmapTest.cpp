#include <gtest/gtest.h>

#include <climits>

#include "raster/PXMemBitmap.h"
#include "raster/PXSysBitmap.h"

TEST(PXMemBitmap, ConstructionAllocatesExactlyOrGivesAnEmptyBitmap) {
  PXMemBitmap sized(10, 10);
  EXPECT_NE(sized.GetPixels(), nullptr);
  EXPECT_EQ(sized.GetAllocatedBytes(), 400);
  EXPECT_EQ(sized.GetRowSpan(), 10);

  struct Case {
    const char* name;
    int width, height;
  } cases[] = {{"zero", 0, 5},
               {"negative", -3, 5},
               {"both negative", -4, -4},
               {"overflowing", 70000, 70000},
               {"int max", INT_MAX, 2}};
  for (const Case& c : cases) {
    PXMemBitmap b(c.width, c.height);
    EXPECT_EQ(b.GetPixels(), nullptr) << c.name;
    EXPECT_EQ(b.GetWidth(), 0) << c.name;
    EXPECT_EQ(b.GetHeight(), 0) << c.name;
  }
}

TEST(PXMemBitmap, ResizeGrowsWithAQuarterToSpareAndNeverShrinks) {
  PXMemBitmap b(10, 10);
  EXPECT_FALSE(b.Resize(10, 10));
  EXPECT_TRUE(b.Resize(12, 10));
  EXPECT_EQ(b.GetAllocatedBytes(), 600);
  uint32_t* grown = b.GetPixels();
  EXPECT_TRUE(b.Resize(10, 10));
  EXPECT_EQ(b.GetPixels(), grown);
  EXPECT_EQ(b.GetAllocatedBytes(), 600);
  EXPECT_EQ(b.GetWidth(), 10);

  EXPECT_TRUE(b.Resize(0, 10));
  EXPECT_EQ(b.GetPixels(), nullptr);
  EXPECT_EQ(b.GetWidth(), 0);
  EXPECT_EQ(b.GetAllocatedBytes(), 0);

  PXMemBitmap empty;
  EXPECT_TRUE(empty.Resize(3, 2));
  EXPECT_EQ(empty.GetAllocatedBytes(), 24);  // exactly, from nothing
  EXPECT_TRUE(empty.Resize(-3, -2));
  EXPECT_EQ(empty.GetPixels(), nullptr);
  EXPECT_EQ(empty.GetWidth(), 0);
  EXPECT_TRUE(empty.Resize(INT_MAX, INT_MAX));
  EXPECT_EQ(empty.GetPixels(), nullptr);
  EXPECT_EQ(empty.GetHeight(), 0);
}

TEST(PXSysBitmap, KeepsItsSurfaceWhenShrinking) {
  PXSysBitmap b(400, 300);
  ASSERT_NE(b.GetPixels(), nullptr);
  EXPECT_EQ(b.GetRowSpan(), 400);
  EXPECT_FALSE(b.IsFlipped());
  b.GetPixels()[399 + 299 * 400] = 0x12345678;  // the whole surface is addressable

  EXPECT_FALSE(b.Resize(400, 300));
  EXPECT_TRUE(b.Resize(200, 100));
  EXPECT_EQ(b.GetWidth(), 200);
  EXPECT_EQ(b.GetHeight(), 100);
  EXPECT_EQ(b.GetRowSpan(), 400);

  EXPECT_TRUE(b.Resize(500, 100));  // wider than the surface: a new one
  EXPECT_EQ(b.GetRowSpan(), 500);
  ASSERT_NE(b.GetPixels(), nullptr);

  EXPECT_FALSE(b.Resize(0, 100));
  EXPECT_EQ(b.GetPixels(), nullptr);
  EXPECT_TRUE(b.Resize(8, 8));
  EXPECT_NE(b.GetPixels(), nullptr);

  // A negative size must not produce a bottom-up or bogus surface.
  b.Resize(-5, 10);
  EXPECT_EQ(b.GetPixels(), nullptr);
  EXPECT_GE(b.GetWidth(), 0);
}
