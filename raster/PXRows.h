#pragma once

#include <cstddef>
#include <cstdint>

#include "raster/PXBitmap.h"

// Row addressing that hides flipped (bottom-up) bitmaps: Row(r) is always the
// r-th row from the top. Internal to the raster library.
struct PXRows {
  uint32_t* first = nullptr;
  ptrdiff_t stride = 0;
  int width = 0;
  int height = 0;

  uint32_t* Row(int r) const { return first + r * stride; }
  uint32_t* At(int x, int y) const { return Row(y) + x; }
};

// Rows of a bitmap; `first` is null when it has no pixels to address.
inline PXRows PXRowsOf(PXBitmap& bitmap) {
  PXRows rows;
  uint32_t* pixels = bitmap.GetPixels();
  const int width = bitmap.GetWidth();
  const int height = bitmap.GetHeight();
  const int span = bitmap.GetRowSpan();
  if (!pixels || width <= 0 || height <= 0 || span < width) return rows;
  rows.width = width;
  rows.height = height;
  if (bitmap.IsFlipped()) {
    rows.first = pixels + static_cast<ptrdiff_t>(height - 1) * span;
    rows.stride = -static_cast<ptrdiff_t>(span);
  } else {
    rows.first = pixels;
    rows.stride = span;
  }
  return rows;
}
