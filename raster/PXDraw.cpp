#include "raster/PXDraw.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "raster/PXFillBlock.h"
#include "raster/PXFixed.h"
#include "raster/PXMode.h"
#include "raster/PXRows.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;

struct Pen {
  PXRows rows;
  uint32_t colour;
  int w;
  uint32_t mode;

  // Combines one pixel at weight w; outside the bitmap nothing happens.
  void Plot(int64_t x, int64_t y, int weight) const {
    if (x < 0 || y < 0 || x >= rows.width || y >= rows.height || weight == 0) return;
    const PXFillArea area{&rows, static_cast<int>(x), static_cast<int>(y), 1, 1};
    PXFillBlock(area, colour, static_cast<int>(colour >> 24), weight, mode);
  }
};

int OutCode(double x, double y, int width, int height) {
  int code = 0;
  if (x < 0) code |= 1;
  if (x >= width) code |= 2;
  if (y < 0) code |= 4;
  if (y >= height) code |= 8;
  return code;
}

// Cuts the segment to the bitmap; false when nothing of it lies inside.
bool ClipSegment(int width, int height, int64_t* x1, int64_t* y1, int64_t* x2, int64_t* y2) {
  double ax = static_cast<double>(*x1), ay = static_cast<double>(*y1);
  double bx = static_cast<double>(*x2), by = static_cast<double>(*y2);
  int codeA = OutCode(ax, ay, width, height);
  int codeB = OutCode(bx, by, width, height);
  // Each pass moves one end onto an edge; four edges bound the passes.
  for (int pass = 0; pass < 8 && (codeA | codeB) != 0; ++pass) {
    if (codeA & codeB) return false;
    const int code = codeA ? codeA : codeB;
    double x = 0, y = 0;
    if (code & 1) {
      x = 0;
      y = ay + (by - ay) * (x - ax) / (bx - ax);
    } else if (code & 2) {
      x = width - 1;
      y = ay + (by - ay) * (x - ax) / (bx - ax);
    } else if (code & 4) {
      y = 0;
      x = ax + (bx - ax) * (y - ay) / (by - ay);
    } else {
      y = height - 1;
      x = ax + (bx - ax) * (y - ay) / (by - ay);
    }
    x = std::trunc(x);
    y = std::trunc(y);
    if (code == codeA) {
      ax = x, ay = y, codeA = OutCode(ax, ay, width, height);
    } else {
      bx = x, by = y, codeB = OutCode(bx, by, width, height);
    }
  }
  if (codeA | codeB) return false;
  *x1 = static_cast<int64_t>(ax), *y1 = static_cast<int64_t>(ay);
  *x2 = static_cast<int64_t>(bx), *y2 = static_cast<int64_t>(by);
  return true;
}

// Walks from one end toward the middle: `count` pixels along the major axis,
// the minor coordinate following the 16.16 slope.
void DrawHalf(const Pen& pen, bool xMajor, int64_t major, int64_t minor, int majorDir, int minorDir,
              int64_t slope, int64_t count, bool antialias) {
  auto plot = [&](int64_t a, int64_t b, int weight) {
    if (xMajor) {
      pen.Plot(a, b, weight);
    } else {
      pen.Plot(b, a, weight);
    }
  };
  int64_t error = 0;
  for (int64_t k = 0; k < count; ++k) {
    const int64_t a = major + k * majorDir;
    if (antialias) {
      const int64_t position = k * slope;
      const int64_t whole = position >> 16;
      const int64_t fraction = position & 0xFFFF;
      const int64_t near = minor + whole * minorDir;
      plot(a, near, static_cast<int>(pen.w * (65536 - fraction) / 65536));
      plot(a, near + minorDir, static_cast<int>(pen.w * fraction / 65536));
    } else {
      plot(a, minor, pen.w);
      if (error + slope >= 0x8000) {
        minor += minorDir;
        error = error + slope - 0x10000;
      } else {
        error += slope;
      }
    }
  }
}

// Coverage 0..1 of a pixel centred at distance `distance` from the centre by a
// one-pixel-wide ring of the radius.
double RingCoverage(double distance, double radius) {
  return std::max(0.0, 1.0 - std::fabs(distance - radius));
}

// Draws the ring inside its bounding square; `inArc` decides by angle.
template <class AngleTest>
void DrawRing(const Pen& pen, double cx, double cy, double r, bool antialias, AngleTest&& inArc) {
  if (!(r >= 0.0) || !std::isfinite(cx) || !std::isfinite(cy) || r > 1.0e6) return;
  // The small radii the editor uses are stamped from a square of 2r + 1 pixels.
  const bool small = r == 2.0 || r == 2.5 || r == 3.0 || r == 3.5 || r == 4.0;
  double originX = std::floor(cx - r - 1), originY = std::floor(cy - r - 1);
  int64_t size = static_cast<int64_t>(2 * r) + 3;
  double centreX = cx, centreY = cy;
  if (small) {
    originX = std::trunc(cx - r);
    originY = std::trunc(cy - r);
    size = static_cast<int64_t>(2 * r) + 1;
    centreX = originX + r;
    centreY = originY + r;
  }
  const auto x0 = static_cast<int64_t>(std::max(originX, -1.0));
  const auto y0 = static_cast<int64_t>(std::max(originY, -1.0));
  const int64_t x1 = std::min<int64_t>(static_cast<int64_t>(originX) + size, pen.rows.width);
  const int64_t y1 = std::min<int64_t>(static_cast<int64_t>(originY) + size, pen.rows.height);
  for (int64_t y = y0; y < y1; ++y) {
    for (int64_t x = x0; x < x1; ++x) {
      const double ox = static_cast<double>(x) - centreX;
      const double oy = static_cast<double>(y) - centreY;
      const double distance = std::sqrt(ox * ox + oy * oy);
      if (!inArc(std::atan2(oy, ox))) continue;
      if (antialias || small) {
        const int coverage = static_cast<int>(RingCoverage(distance, r) * 255.0 + 0.5);
        pen.Plot(x, y, pen.w * coverage / 255);
      } else if (std::fabs(distance - r) < 0.5) {
        pen.Plot(x, y, pen.w);
      }
    }
  }
}

bool MakePen(PXBitmap* dest, uint32_t colour, float alpha, uint32_t mode, Pen* pen) {
  if (!dest) return false;
  pen->rows = PXRowsOf(*dest);
  pen->colour = colour;
  pen->w = PXWeightFromAlpha(alpha);
  pen->mode = mode & PX_COMBINE_MASK;
  return pen->rows.first != nullptr && pen->w != 0;
}

}  // namespace

void PXLine(PXBitmap* dest, int x1, int y1, int x2, int y2, uint32_t colour, float alpha,
            uint32_t mode, bool antialias) {
  Pen pen;
  if (!MakePen(dest, colour, alpha, mode, &pen)) return;
  int64_t ax = x1, ay = y1, bx = x2, by = y2;
  if (!ClipSegment(pen.rows.width, pen.rows.height, &ax, &ay, &bx, &by)) return;
  const int64_t dx = bx - ax, dy = by - ay;
  if (dx == 0 || dy == 0) {
    const PXFillArea area{&pen.rows, static_cast<int>(std::min(ax, bx)),
                          static_cast<int>(std::min(ay, by)), static_cast<int>(std::abs(dx) + 1),
                          static_cast<int>(std::abs(dy) + 1)};
    // Straight segments store the colour or word averages only at exactly
    // these weights; any other runs the combine step.
    const bool exact = alpha == 1.0f || alpha == 0.5f || alpha == 0.25f || alpha == 0.75f;
    PXFillBlock(area, colour, static_cast<int>(colour >> 24), pen.w, pen.mode, exact);
    return;
  }
  const int stepX = dx > 0 ? 1 : -1, stepY = dy > 0 ? 1 : -1;
  if (std::abs(dx) == std::abs(dy)) {
    for (int64_t k = 0; k <= std::abs(dx); ++k) {
      const int64_t x = ax + k * stepX, y = ay + k * stepY;
      if (antialias) {
        pen.Plot(x, y, pen.w * 3 / 4);
        pen.Plot(x - 1, y, pen.w / 4);
        pen.Plot(x + 1, y, pen.w / 4);
      } else {
        pen.Plot(x, y, pen.w);
      }
    }
    return;
  }
  const bool xMajor = std::abs(dx) > std::abs(dy);
  const int64_t major = xMajor ? std::abs(dx) : std::abs(dy);
  const int64_t minor = xMajor ? std::abs(dy) : std::abs(dx);
  const int64_t slope =
      PXTruncToInt64(static_cast<double>(minor) / static_cast<double>(major) * 65536.0);
  const int64_t count = major + 1;
  const int majorDir = xMajor ? stepX : stepY, minorDir = xMajor ? stepY : stepX;
  // Both ends toward the middle keep the line symmetric; an odd middle pixel
  // comes last, from the first end.
  const int64_t fromEnd = count / 2;
  DrawHalf(pen, xMajor, xMajor ? bx : by, xMajor ? by : bx, -majorDir, -minorDir, slope, fromEnd,
           antialias);
  DrawHalf(pen, xMajor, xMajor ? ax : ay, xMajor ? ay : ax, majorDir, minorDir, slope,
           count - fromEnd, antialias);
}

void PXCircle(PXBitmap* dest, float centreX, float centreY, float radius, uint32_t colour,
              float alpha, uint32_t mode, bool antialias) {
  Pen pen;
  if (!MakePen(dest, colour, alpha, mode, &pen)) return;
  DrawRing(pen, centreX, centreY, radius, antialias, [](double) { return true; });
}

void PXArc(PXBitmap* dest, float centreX, float centreY, float radius, float startAngle,
           float endAngle, uint32_t colour, float alpha, uint32_t mode, bool antialias) {
  Pen pen;
  if (!MakePen(dest, colour, alpha, mode, &pen)) return;
  double start = std::min(startAngle, endAngle);
  const double sweep = std::fabs(static_cast<double>(endAngle) - static_cast<double>(startAngle));
  if (!std::isfinite(start) || !std::isfinite(sweep)) return;
  start = std::fmod(start, kTwoPi);
  DrawRing(pen, centreX, centreY, radius, antialias, [&](double angle) {
    if (sweep >= kTwoPi) return true;
    double from = std::fmod(angle - start, kTwoPi);
    if (from < 0) from += kTwoPi;
    return from <= sweep;
  });
}
