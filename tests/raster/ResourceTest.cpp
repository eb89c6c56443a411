#include <gtest/gtest.h>

#include <memory>

#include "raster/PXLoadJPEG.h"
#include "raster/PXLoadPNG.h"
#include "raster/PXResources.h"
#include "tests/raster/FixtureImages.h"

// The build embeds images written by MakeFixtures into this executable.

TEST(PXResources, FindsEmbeddedBytesByTypeAndId) {
  const uint8_t* data = nullptr;
  size_t size = 0;
  ASSERT_TRUE(PXFindResource(PXCurrentModule(), "PNG", 101, &data, &size));
  EXPECT_EQ(size, 7u);
  EXPECT_EQ(data[1], 'P');
  EXPECT_TRUE(PXFindResource(PXCurrentModule(), "PNG", 100 + 0x10000, &data, &size));
  EXPECT_FALSE(PXFindResource(PXCurrentModule(), "PNG", 150, &data, &size));
  EXPECT_FALSE(PXFindResource(PXCurrentModule(), "JPG", 100, &data, &size));
  EXPECT_FALSE(PXFindResource(PXCurrentModule(), nullptr, 100, &data, &size));
}

TEST(PXResources, DecodersReadModuleResources) {
  std::unique_ptr<PXBitmap> b(PXLoadPNG(PXCurrentModule(), 100));
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->GetWidth(), 40);
  EXPECT_EQ(b->GetHeight(), 80);
  const auto s = ResourceImageSamples(0, 0);
  const auto* bytes = reinterpret_cast<const uint8_t*>(b->GetPixels());
  EXPECT_EQ(bytes[0], s[2]);  // blue
  EXPECT_EQ(bytes[1], s[1]);  // green
  EXPECT_EQ(bytes[2], s[0]);  // red
  EXPECT_EQ(bytes[3], s[3]);  // alpha
  const auto last = ResourceImageSamples(39, 79);
  EXPECT_EQ(bytes[(79 * 40 + 39) * 4 + 3], last[3]);

  EXPECT_EQ(PXLoadPNG(PXCurrentModule(), 101), nullptr);   // 7 bytes
  EXPECT_EQ(PXLoadPNG(PXCurrentModule(), 102), nullptr);   // truncated after the header
  EXPECT_EQ(PXLoadPNG(PXCurrentModule(), 150), nullptr);   // missing
  EXPECT_EQ(PXLoadJPEG(PXCurrentModule(), 100), nullptr);  // wrong type

  std::unique_ptr<PXBitmap> grey(PXLoadJPEG(PXCurrentModule(), 200));
  ASSERT_NE(grey, nullptr);
  EXPECT_EQ(grey->GetWidth(), 8);
  EXPECT_EQ(grey->GetPixels()[0] >> 24, 255u);
}
