#pragma once

#include <climits>

// Bytes of a width x height bitmap scaled by bytesPerPixel, or 0 when either
// side is not positive or the count does not fit an int.
inline int PXPixelBytes(int width, int height, int bytesPerPixel) {
  if (width <= 0 || height <= 0 || width > INT_MAX / bytesPerPixel / height) return 0;
  return width * height * bytesPerPixel;
}
