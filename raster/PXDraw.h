#pragma once

#include <cstdint>

#include "raster/PXBitmap.h"

// Plotting with a colour word; its alpha acts as the source alpha of the
// combine step, `alpha` is the weight. Everything is clipped to the bitmap.

// The segment from (x1, y1) to (x2, y2), both end points included.
void PXLine(PXBitmap* dest, int x1, int y1, int x2, int y2, uint32_t colour, float alpha,
            uint32_t mode, bool antialias);

// The outline of the circle.
void PXCircle(PXBitmap* dest, float centreX, float centreY, float radius, uint32_t colour,
              float alpha, uint32_t mode, bool antialias);

// The part of the circle outline from startAngle to endAngle (radians, y down,
// angle 0 pointing right).
void PXArc(PXBitmap* dest, float centreX, float centreY, float radius, float startAngle,
           float endAngle, uint32_t colour, float alpha, uint32_t mode, bool antialias);
