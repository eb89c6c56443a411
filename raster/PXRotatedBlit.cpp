#include "raster/PXRotatedBlit.h"

#include <algorithm>
#include <cmath>

#include "raster/PXBilinear.h"
#include "raster/PXCombine.h"
#include "raster/PXFixed.h"
#include "raster/PXRows.h"

namespace {

struct RotateWalk {
  PXRows to;
  PXRows from;
  PXSampleBounds bounds;
  int destX;
  int destY;
  int width;
  int height;
  int64_t s0, t0, dsdx, dtdx, dsdy, dtdy;  // 16.16
};

template <PXStep kStep, bool kSourceAlpha, bool kBilinear>
void DrawRotated(const RotateWalk& r, int w) {
  for (int j = 0; j < r.height; ++j) {
    int64_t s = r.s0 + j * r.dsdy;
    int64_t t = r.t0 + j * r.dtdy;
    uint32_t* d = r.to.At(r.destX, r.destY + j);
    for (int i = 0; i < r.width; ++i, s += r.dsdx, t += r.dtdx) {
      const int64_t column = PXFixedToInt(s);
      const int64_t row = PXFixedToInt(t);
      uint32_t p = 0;
      if constexpr (kBilinear) {
        if (!PXSampleBilinear(r.from, r.bounds, column, row, static_cast<uint32_t>(s & 0xFFFF),
                              static_cast<uint32_t>(t & 0xFFFF), &p)) {
          continue;
        }
      } else {
        if (!r.bounds.Contains(column, row)) continue;
        p = *r.from.At(static_cast<int>(column), static_cast<int>(row));
      }
      PXCombineWord<kStep, kSourceAlpha>(d + i, p, w);
    }
  }
}

// Integer bound for comparisons with whole pixel indices: index >= v and
// index < v both hold exactly for index against ceil(v).
int CeilBound(double v) {
  return PXTruncToInt(std::ceil(v));
}

}  // namespace

void PXRotatedBlit(PXBitmap* dest, PXBitmap* src, int destX, int destY, int destWidth,
                   int destHeight, float srcX, float srcY, float srcWidth, float srcHeight,
                   float angleRadians, bool clipToSource, float alpha, uint32_t mode,
                   float centreOffsetX, float centreOffsetY) {
  if (!dest || !src || destWidth == 0 || destHeight == 0) return;
  RotateWalk r;
  r.to = PXRowsOf(*dest);
  r.from = PXRowsOf(*src);
  if (!r.to.first || !r.from.first) return;

  double sx = srcX, sy = srcY, sw = srcWidth, sh = srcHeight;
  r.bounds = PXSampleBounds{0, 0, r.from.width, r.from.height};
  if (clipToSource) {
    r.bounds.left = std::max(CeilBound(sx), 0);
    r.bounds.top = std::max(CeilBound(sy), 0);
    r.bounds.right = std::min(r.from.width, CeilBound(sx + sw));
    r.bounds.bottom = std::min(r.from.height, CeilBound(sy + sh));
  }
  const auto cosine = static_cast<double>(std::cos(angleRadians));
  const auto sine = static_cast<double>(std::sin(angleRadians));

  int64_t dx = destX, dy = destY, dw = destWidth, dh = destHeight;
  if (dh < 0) dy += dh, dh = -dh, sy += sh, sh = -sh;
  if (dw < 0) dx += dw, dw = -dw, sx += sw, sw = -sw;
  const double scaleX = sw / static_cast<double>(dw);
  const double scaleY = sh / static_cast<double>(dh);
  const double dsdx = scaleX * cosine;
  const double dtdx = -scaleY * sine;
  const double dsdy = scaleX * sine;
  const double dtdy = scaleY * cosine;
  const double width = static_cast<double>(dw);
  const double height = static_cast<double>(dh);
  double s0 = sx - ((height * dsdy + width * dsdx - sw) / 2 - static_cast<double>(centreOffsetX));
  double t0 = sy - ((width * dtdx + height * dtdy - sh) / 2 - static_cast<double>(centreOffsetY));

  if (dx < 0) {
    s0 -= static_cast<double>(dx) * dsdx;
    t0 -= static_cast<double>(dx) * dtdx;
    dw += dx;
    dx = 0;
  }
  if (dy < 0) {
    s0 -= static_cast<double>(dy) * dsdy;
    t0 -= static_cast<double>(dy) * dtdy;
    dh += dy;
    dy = 0;
  }
  dw = std::min<int64_t>(dw, r.to.width - dx);
  dh = std::min<int64_t>(dh, r.to.height - dy);
  if (dw < 1 || dh < 1) return;

  const int w = PXWeightFromAlpha(alpha);
  if (w == 0) return;
  if ((mode & PX_COMBINE_MASK) == PX_COMBINE_COPY && w < 1) return;

  r.destX = static_cast<int>(dx);
  r.destY = static_cast<int>(dy);
  r.width = static_cast<int>(dw);
  r.height = static_cast<int>(dh);
  r.s0 = PXToFixed(s0);
  r.t0 = PXToFixed(t0);
  r.dsdx = PXToFixed(dsdx);
  r.dtdx = PXToFixed(dtdx);
  r.dsdy = PXToFixed(dsdy);
  r.dtdy = PXToFixed(dtdy);
  const bool bilinear = PXIsBilinear(mode);
  PXDispatchCombine(mode, [&]<PXStep kStep, bool kSourceAlpha>() {
    if (bilinear) {
      DrawRotated<kStep, kSourceAlpha, true>(r, w);
    } else {
      DrawRotated<kStep, kSourceAlpha, false>(r, w);
    }
  });
}
