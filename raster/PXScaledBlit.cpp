#include "raster/PXScaledBlit.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>

#include "raster/PXBilinear.h"
#include "raster/PXBilinearRows.h"
#include "raster/PXBlit.h"
#include "raster/PXCombine.h"
#include "raster/PXFixed.h"
#include "raster/PXRows.h"

namespace {

// The clipped destination block and the 16.16 source walk that fills it.
struct ScaleWalk {
  PXRows to;
  PXRows from;
  int destX;
  int destY;
  int width;
  int height;
  int64_t sx;
  int64_t sy;
  int64_t dsx;
  int64_t dsy;
  PXSampleBounds bounds;
};

// Calls pixel(destination pixel, column, row, fx, fy) for every destination
// pixel in the walk.
template <class PixelFn>
void Walk(const ScaleWalk& s, PixelFn&& pixel) {
  for (int j = 0; j < s.height; ++j) {
    const int64_t t = s.sy + j * s.dsy;
    const int64_t row = PXFixedToInt(t);
    const auto fy = static_cast<uint32_t>(t & 0xFFFF);
    uint32_t* d = s.to.At(s.destX, s.destY + j);
    int64_t u = s.sx;
    for (int i = 0; i < s.width; ++i, u += s.dsx) {
      pixel(d + i, PXFixedToInt(u), row, static_cast<uint32_t>(u & 0xFFFF), fy);
    }
  }
}

// Nearest sampling with a per-pixel store, the dedicated full- and half-weight
// copies among them.
template <class StoreFn>
void WalkNearest(const ScaleWalk& s, StoreFn&& store) {
  Walk(s, [&](uint32_t* d, int64_t column, int64_t row, uint32_t, uint32_t) {
    if (s.bounds.Contains(column, row)) {
      store(d, *s.from.At(static_cast<int>(column), static_cast<int>(row)));
    }
  });
}

// Plain average of the k x k block centred on the sample, counting only the
// pixels inside the bounds.
bool BoxAverage(const PXRows& from, const PXSampleBounds& b, int64_t column, int64_t row, int k,
                uint32_t* out) {
  const int64_t half = k / 2;
  const int64_t x0 = std::max<int64_t>(column - half, b.left);
  const int64_t x1 = std::min<int64_t>(column + half + 1, b.right);
  const int64_t y0 = std::max<int64_t>(row - half, b.top);
  const int64_t y1 = std::min<int64_t>(row + half + 1, b.bottom);
  if (x0 >= x1 || y0 >= y1) return false;
  uint32_t sum[4] = {0, 0, 0, 0};
  for (int64_t y = y0; y < y1; ++y) {
    const uint32_t* p = from.At(static_cast<int>(x0), static_cast<int>(y));
    for (int64_t x = x0; x < x1; ++x, ++p) {
      for (int c = 0; c < 4; ++c) sum[c] += (*p >> (c * 8)) & 0xFF;
    }
  }
  const auto count = static_cast<uint32_t>((x1 - x0) * (y1 - y0));
  *out = 0;
  for (int c = 0; c < 4; ++c) *out |= (sum[c] / count) << (c * 8);
  return true;
}

// Bilinear samples stored as they are: whole interior runs through the row
// cache, the edges of each row by the per-pixel rule.
void StoreBilinear(const ScaleWalk& s) {
#if defined(__SSE2__)
  const std::unique_ptr<PXBilinearRows> rows(
      new (std::nothrow) PXBilinearRows(s.from, s.bounds, s.sx, s.dsx, s.width));
#endif
  for (int j = 0; j < s.height; ++j) {
    const int64_t t = s.sy + j * s.dsy;
    const int64_t row = PXFixedToInt(t);
    const auto fy = static_cast<uint32_t>(t & 0xFFFF);
    uint32_t* d = s.to.At(s.destX, s.destY + j);
    int i = 0;
#if defined(__SSE2__)
    if (rows) i = rows->StoreRow(row, fy, d);
#endif
    for (int64_t u = s.sx + i * s.dsx; i < s.width; ++i, u += s.dsx) {
      PXSampleBilinear(s.from, s.bounds, PXFixedToInt(u), row, static_cast<uint32_t>(u & 0xFFFF),
                       fy, d + i);
    }
  }
}

void DrawWalk(const ScaleWalk& s, double xstep, double ystep, int w, uint32_t mode) {
  const bool bilinear = PXIsBilinear(mode);
  if ((mode & 0x1FFFF) == 0 && (w == 256 || w == 128)) {
    if (w == 256) {
      WalkNearest(s, [](uint32_t* d, uint32_t p) { *d = p; });
    } else {
      WalkNearest(s, [](uint32_t* d, uint32_t p) { *d = PXHalf(p) + PXHalf(*d); });
    }
    return;
  }
  if ((mode & PX_COMBINE_MASK) == PX_COMBINE_COPY && (mode & PX_SOURCE_ALPHA) == 0 && w < 1) {
    return;
  }
  if (xstep >= 1.7 && ystep >= 1.7 && bilinear) {
    const int k = std::max(s.dsx, s.dsy) <= 0x30000 ? 3 : 5;
    PXDispatchCombine(mode, [&]<PXStep kStep, bool kSourceAlpha>() {
      Walk(s, [&](uint32_t* d, int64_t column, int64_t row, uint32_t, uint32_t) {
        uint32_t p = 0;
        if (BoxAverage(s.from, s.bounds, column, row, k, &p)) {
          PXCombineWord<kStep, kSourceAlpha>(d, p, w);
        }
      });
    });
    return;
  }
  if (bilinear && (mode & (PX_SOURCE_ALPHA | PX_COMBINE_MASK)) == PX_COMBINE_COPY && w == 256) {
    StoreBilinear(s);
    return;
  }
  if (bilinear) {
    PXDispatchCombine(mode, [&]<PXStep kStep, bool kSourceAlpha>() {
      Walk(s, [&](uint32_t* d, int64_t column, int64_t row, uint32_t fx, uint32_t fy) {
        uint32_t p = 0;
        if (PXSampleBilinear(s.from, s.bounds, column, row, fx, fy, &p)) {
          PXCombineWord<kStep, kSourceAlpha>(d, p, w);
        }
      });
    });
    return;
  }
  PXDispatchCombine(mode, [&]<PXStep kStep, bool kSourceAlpha>() {
    WalkNearest(s, [w](uint32_t* d, uint32_t p) { PXCombineWord<kStep, kSourceAlpha>(d, p, w); });
  });
}

}  // namespace

void PXScaledBlit(PXBitmap* dest, PXBitmap* src, int destX, int destY, int destWidth,
                  int destHeight, float srcX, float srcY, float srcWidth, float srcHeight,
                  float alpha, uint32_t mode) {
  if (!dest || !src || destWidth == 0 || destHeight == 0 || alpha == 0.0f) return;
  double sx = srcX, sy = srcY, sw = srcWidth, sh = srcHeight;

  // Equal sizes are a 1:1 copy, unless bilinear sampling falls between pixels.
  // Mirroring requests (negative sizes) take the scaled path below.
  if (destWidth > 0 && destHeight > 0 && std::fabs(sw - destWidth) < 0.001 &&
      std::fabs(sh - destHeight) < 0.001) {
    const bool aligned =
        std::fabs(sx - std::floor(sx + 0.5)) < 0.03 && std::fabs(sy - std::floor(sy + 0.5)) < 0.03;
    if (!PXIsBilinear(mode) || aligned) {
      PXBlit(dest, src, destX, destY, PXTruncToInt(sx + 0.5), PXTruncToInt(sy + 0.5), destWidth,
             destHeight, alpha, mode);
      return;
    }
  }

  ScaleWalk s;
  s.to = PXRowsOf(*dest);
  s.from = PXRowsOf(*src);
  if (!s.to.first || !s.from.first) return;

  int64_t dx = destX, dy = destY, dw = destWidth, dh = destHeight;
  if (dw < 0) dx += dw, dw = -dw, sx += sw, sw = -sw;
  if (dh < 0) dy += dh, dh = -dh, sy += sh, sh = -sh;
  const double xstep = sw / static_cast<double>(dw);
  const double ystep = sh / static_cast<double>(dh);
  if (dx < 0) dw += dx, sx -= static_cast<double>(dx) * xstep, dx = 0;
  if (dy < 0) dh += dy, sy -= static_cast<double>(dy) * ystep, dy = 0;
  dw = std::min<int64_t>(dw, s.to.width - dx);
  dh = std::min<int64_t>(dh, s.to.height - dy);
  if (dw < 1 || dh < 1) return;

  s.sx = PXToFixed(sx);
  s.sy = PXToFixed(sy);
  s.dsx = PXToFixed(xstep);
  s.dsy = PXToFixed(ystep);
  // Drop leading samples left of the source and trailing ones past the end of
  // the source rectangle.
  auto trim = [](int64_t* start, int64_t step, int64_t* destPos, int64_t* size, double end) {
    if (step < 1) return;
    if (*start < 0) {
      const int64_t k = (step - *start - 1) / step;
      *start += k * step;
      *destPos += k;
      *size -= k;
    }
    if (static_cast<double>(PXFixedToInt((*size - 1) * step + *start)) >= end) {
      const double fit =
          (end * 65536.0 - static_cast<double>(*start) - 65536.0) / static_cast<double>(step);
      *size = std::min(*size, PXTruncToInt64(fit));
    }
  };
  trim(&s.sx, s.dsx, &dx, &dw, sx + sw);
  trim(&s.sy, s.dsy, &dy, &dh, sy + sh);
  if (dw < 1 || dh < 1) return;

  const double right = std::min<double>(s.from.width, std::ceil(sx + std::max(sw, 0.0)));
  const double bottom = std::min<double>(s.from.height, std::ceil(sy + std::max(sh, 0.0)));
  if (!(right >= 1.0) || !(bottom >= 1.0)) return;
  s.bounds = PXSampleBounds{0, 0, static_cast<int>(right), static_cast<int>(bottom)};

  const int w = PXWeightFromAlpha(alpha);
  if (w == 0) return;
  s.destX = static_cast<int>(dx);
  s.destY = static_cast<int>(dy);
  s.width = static_cast<int>(dw);
  s.height = static_cast<int>(dh);
  DrawWalk(s, xstep, ystep, w, mode);
}
