#pragma once

#include <cstdint>

#include "raster/PXBitmap.h"

// Fills or combines the rectangle with one colour word (alpha << 24 | red << 16 |
// green << 8 | blue), clipped to the bitmap. With PX_SOURCE_ALPHA the weight is
// scaled by the colour's alpha.
void PXFillRect(PXBitmap* dest, int x, int y, int width, int height, uint32_t colour, float alpha,
                uint32_t mode);

// Every pixel word in the clipped rectangle becomes setBits | (pixel & keepMask).
void PXMaskRect(PXBitmap* dest, int x, int y, int width, int height, uint32_t keepMask,
                uint32_t setBits);

// Combines one pixel with the colour word; its alpha acts as the source alpha.
void PXPutPixel(PXBitmap* dest, int x, int y, uint32_t colour, float alpha, uint32_t mode);

// The pixel word, or 0 outside the bitmap.
uint32_t PXGetPixel(PXBitmap* src, int x, int y);
