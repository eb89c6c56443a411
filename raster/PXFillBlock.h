#pragma once

#include <cstdint>

#include "raster/PXRows.h"

// The clipped rectangle of rows from (x, y): the common part of fills, pixel
// writes and straight lines. Internal.
struct PXFillArea {
  const PXRows* rows;
  int x;
  int y;
  int width;
  int height;
};

// Combines the colour into the area with weight w (trunc(alpha * 256)) and the
// combine step of mode bits 0-7, `sourceAlpha` standing in as the source alpha.
// With wordAverages, plain copy at w = 256, 192, 128 and 64 stores the colour
// or whole-word averages instead.
void PXFillBlock(const PXFillArea& area, uint32_t colour, int sourceAlpha, int w, uint32_t mode,
                 bool wordAverages = true);
