#pragma once

#include <cstdint>

#include "raster/PXBitmap.h"

// Copies or combines the source rectangle (srcX, srcY, width, height) 1:1 onto
// dest at (destX, destY), clipped to both bitmaps. `alpha` is the weight
// (0 draws nothing), `mode` the mode word of raster/PXMode.h; the sampling bits
// are ignored. Null bitmaps draw nothing.
void PXBlit(PXBitmap* dest, PXBitmap* src, int destX, int destY, int srcX, int srcY, int width,
            int height, float alpha, uint32_t mode);

// The whole source at (destX, destY).
void PXBlit(PXBitmap* dest, PXBitmap* src, int destX, int destY, float alpha, uint32_t mode);

// Resizes dest to the source's size and copies the source into it.
void PXCopyBitmap(PXBitmap* dest, PXBitmap* src);
