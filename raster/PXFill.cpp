#include "raster/PXFill.h"

#include <algorithm>

#include "raster/PXCombine.h"
#include "raster/PXFillBlock.h"
#include "raster/PXMode.h"

namespace {

template <class PixelFn>
void ForEachPixel(const PXFillArea& a, PixelFn&& fn) {
  for (int j = 0; j < a.height; ++j) {
    uint32_t* p = a.rows->At(a.x, a.y + j);
    for (int i = 0; i < a.width; ++i) fn(p + i);
  }
}

// Clips (x, y, width, height) to the rows; false when nothing is left.
bool ClipArea(const PXRows& rows, int x, int y, int width, int height, PXFillArea* area) {
  if (!rows.first) return false;
  int64_t left = x, top = y, w = width, h = height;
  if (left < 0) w += left, left = 0;
  if (top < 0) h += top, top = 0;
  w = std::min<int64_t>(w, rows.width - left);
  h = std::min<int64_t>(h, rows.height - top);
  if (w <= 0 || h <= 0) return false;
  *area = PXFillArea{&rows, static_cast<int>(left), static_cast<int>(top), static_cast<int>(w),
                     static_cast<int>(h)};
  return true;
}

}  // namespace

void PXFillBlock(const PXFillArea& area, uint32_t colour, int sourceAlpha, int w, uint32_t mode,
                 bool wordAverages) {
  const uint32_t step = mode & PX_COMBINE_MASK;
  if (step == PX_COMBINE_COPY && w <= 0) return;
  if (step == PX_COMBINE_COPY && wordAverages) {
    const uint32_t c = colour;
    switch (w) {
      case 256:
        ForEachPixel(area, [c](uint32_t* p) { *p = c; });
        return;
      case 128:
        ForEachPixel(area, [c](uint32_t* p) { *p = PXHalf(c) + PXHalf(*p); });
        return;
      case 64:
        ForEachPixel(area, [c](uint32_t* p) { *p = PXHalf(*p) + PXQuarter(*p) + PXQuarter(c); });
        return;
      case 192:
        ForEachPixel(area, [c](uint32_t* p) { *p = PXHalf(c) + PXQuarter(c) + PXQuarter(*p); });
        return;
      default:
        break;
    }
  }
  if (w == 0) return;
  const int b = static_cast<int>(colour & 0xFF);
  const int g = static_cast<int>((colour >> 8) & 0xFF);
  const int r = static_cast<int>((colour >> 16) & 0xFF);
  PXDispatchCombine(step, [&]<PXStep kStep, bool>() {
    ForEachPixel(area, [&](uint32_t* p) {
      PXCombinePixel<kStep, false>(reinterpret_cast<uint8_t*>(p), b, g, r, sourceAlpha, w);
    });
  });
}

void PXFillRect(PXBitmap* dest, int x, int y, int width, int height, uint32_t colour, float alpha,
                uint32_t mode) {
  if (!dest) return;
  if (mode & PX_SOURCE_ALPHA) alpha *= static_cast<float>(colour >> 24) * 0.003921569f;
  const PXRows rows = PXRowsOf(*dest);
  PXFillArea area;
  if (alpha == 0.0f || !ClipArea(rows, x, y, width, height, &area)) return;
  const int w = PXWeightFromAlpha(alpha);
  PXFillBlock(area, colour, w, w, mode & PX_COMBINE_MASK);
}

void PXMaskRect(PXBitmap* dest, int x, int y, int width, int height, uint32_t keepMask,
                uint32_t setBits) {
  if (!dest) return;
  const PXRows rows = PXRowsOf(*dest);
  PXFillArea area;
  if (!ClipArea(rows, x, y, width, height, &area)) return;
  ForEachPixel(area, [=](uint32_t* p) { *p = setBits | (*p & keepMask); });
}

void PXPutPixel(PXBitmap* dest, int x, int y, uint32_t colour, float alpha, uint32_t mode) {
  if (!dest) return;
  const PXRows rows = PXRowsOf(*dest);
  if (!rows.first || x < 0 || y < 0 || x >= rows.width || y >= rows.height) return;
  const PXFillArea area{&rows, x, y, 1, 1};
  PXFillBlock(area, colour, static_cast<int>(colour >> 24), PXWeightFromAlpha(alpha),
              mode & PX_COMBINE_MASK);
}

uint32_t PXGetPixel(PXBitmap* src, int x, int y) {
  if (!src) return 0;
  const PXRows rows = PXRowsOf(*src);
  if (!rows.first || x < 0 || y < 0 || x >= rows.width || y >= rows.height) return 0;
  return *rows.At(x, y);
}
