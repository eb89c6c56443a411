#include <gtest/gtest.h>

#include "raster/PXBlit.h"
#include "raster/PXFill.h"
#include "raster/PXMemBitmap.h"
#include "raster/PXMode.h"
#include "tests/raster/RasterReference.h"

namespace {

// A source row whose pixel x holds the word x + 1, so positions are readable.
TestBitmap NumberedRow(int width) {
  TestBitmap b(width, 1);
  for (int x = 0; x < width; ++x) b.At(x, 0) = static_cast<uint32_t>(x + 1);
  return b;
}

}  // namespace

TEST(PXBlit, ClipsAtEveryEdge) {
  struct ClipCase {
    const char* name;
    int destX, srcX, width;
    std::vector<uint32_t> expected;  // the 8-pixel destination row afterwards
  } cases[] = {
      {"source starting at -3 shifts right by 3", 2, -3, 5, {0, 0, 0, 0, 0, 1, 2, 0}},
      {"negative dest x skips source columns", -2, 0, 4, {3, 4, 0, 0, 0, 0, 0, 0}},
      {"cut at the right edge", 6, 0, 10, {0, 0, 0, 0, 0, 0, 1, 2}},
      {"source cut at its width", 0, 8, 10, {9, 10, 0, 0, 0, 0, 0, 0}},
      {"start past the source: nothing", 0, 10, 3, {0, 0, 0, 0, 0, 0, 0, 0}},
      {"dest past the right: nothing", 8, 0, 3, {0, 0, 0, 0, 0, 0, 0, 0}},
      {"negative width: nothing", 0, 3, -2, {0, 0, 0, 0, 0, 0, 0, 0}},
      {"huge values do not overflow", 2147483000, 0, 2147483000, {0, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const ClipCase& c : cases) {
    TestBitmap src = NumberedRow(10);
    TestBitmap dest(8, 1);
    PXBlit(&dest, &src, c.destX, 0, c.srcX, 0, c.width, 1, 1.0f, PX_COMBINE_COPY);
    EXPECT_EQ(dest.Visible(), c.expected) << c.name;
  }

  // Vertically the same rules: a source starting at row -1 lands one row lower.
  TestBitmap column(1, 4);
  for (int y = 0; y < 4; ++y) column.At(0, y) = static_cast<uint32_t>(y + 1);
  TestBitmap dest(1, 4);
  PXBlit(&dest, &column, 0, 0, 0, -1, 1, 3, 1.0f, PX_COMBINE_COPY);
  EXPECT_EQ(dest.Visible(), (std::vector<uint32_t>{0, 1, 2, 0}));
}

TEST(PXBlit, NullAndEmptyBitmapsDrawNothing) {
  PXMemBitmap empty;
  PXMemBitmap b(2, 2);
  b.GetPixels()[0] = 7;
  PXBlit(nullptr, &b, 0, 0, 1.0f, 0);
  PXBlit(&b, nullptr, 0, 0, 1.0f, 0);
  PXBlit(&b, &empty, 0, 0, 1.0f, 0);
  PXBlit(&empty, &b, 0, 0, 1.0f, 0);
  PXFillRect(nullptr, 0, 0, 1, 1, 0, 1.0f, 0);
  PXFillRect(&empty, 0, 0, 1, 1, 0, 1.0f, 0);
  PXCopyBitmap(&b, nullptr);
  EXPECT_EQ(b.GetPixels()[0], 7u);
  EXPECT_EQ(PXGetPixel(nullptr, 0, 0), 0u);
  EXPECT_EQ(PXGetPixel(&empty, 0, 0), 0u);
}

TEST(PXCopyBitmap, ResizesAndCopies) {
  TestBitmap src = NumberedRow(5);
  PXMemBitmap dest(1, 1);
  PXCopyBitmap(&dest, &src);
  ASSERT_EQ(dest.GetWidth(), 5);
  ASSERT_EQ(dest.GetHeight(), 1);
  for (int x = 0; x < 5; ++x) EXPECT_EQ(dest.GetPixels()[x], static_cast<uint32_t>(x + 1));
}

TEST(PXMaskRectAndPixels, ClipAndAddress) {
  TestBitmap b(4, 3, 2, true);  // flipped, with row padding
  for (uint32_t& p : b.Memory()) p = 0xAABBCCDD;
  PXMaskRect(&b, -1, 1, 3, 5, 0x00FFFFFF, 0x11000000);
  EXPECT_EQ(b.At(0, 0), 0xAABBCCDDu);
  EXPECT_EQ(b.At(1, 1), 0x11BBCCDDu);
  EXPECT_EQ(b.At(1, 2), 0x11BBCCDDu);
  EXPECT_EQ(b.At(2, 2), 0xAABBCCDDu);
  EXPECT_EQ(b.Memory()[4], 0xAABBCCDDu);  // padding untouched

  PXPutPixel(&b, 3, 0, 0x01020304, 1.0f, 0);
  EXPECT_EQ(b.At(3, 0), 0x01020304u);
  EXPECT_EQ(PXGetPixel(&b, 3, 0), 0x01020304u);
  for (auto [x, y] : {std::pair{-1, 0}, {4, 0}, {0, -1}, {0, 3}}) {
    PXPutPixel(&b, x, y, 0, 1.0f, 0);
    EXPECT_EQ(PXGetPixel(&b, x, y), 0u);
  }
}
