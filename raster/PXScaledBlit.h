#pragma once

#include <cstdint>

#include "raster/PXBitmap.h"

// Copies or combines the source rectangle (srcX, srcY, srcWidth, srcHeight) onto
// the destination rectangle, scaling it. Nearest sampling, or with
// PX_SAMPLE_BILINEAR bilinear sampling and, when shrinking below 1/1.7 in both
// directions, 3x3 or 5x5 box averages. A negative destination size mirrors.
void PXScaledBlit(PXBitmap* dest, PXBitmap* src, int destX, int destY, int destWidth,
                  int destHeight, float srcX, float srcY, float srcWidth, float srcHeight,
                  float alpha, uint32_t mode);
