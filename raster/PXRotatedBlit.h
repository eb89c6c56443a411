#pragma once

#include <cstdint>

#include "raster/PXBitmap.h"

// Copies or combines the source rectangle onto the destination rectangle,
// rotated by `angleRadians` about the centres: the destination centre samples
// the source centre moved by (centreOffsetX, centreOffsetY). Samples are taken
// inside the source bitmap, or only inside the source rectangle when
// `clipToSource` is set. Nearest sampling, or bilinear with PX_SAMPLE_BILINEAR.
void PXRotatedBlit(PXBitmap* dest, PXBitmap* src, int destX, int destY, int destWidth,
                   int destHeight, float srcX, float srcY, float srcWidth, float srcHeight,
                   float angleRadians, bool clipToSource, float alpha, uint32_t mode,
                   float centreOffsetX, float centreOffsetY);
