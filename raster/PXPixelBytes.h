#pragma once

#include <climits>
#include <cstdint>

// Bytes of a width x height bitmap scaled by bytesPerPixel, or 0 when either
// side is not positive or the count does not fit an int.
inline int PXPixelBytes(int width, int height, int bytesPerPixel) {
  if (width <= 0 || height <= 0) return 0;
  const int64_t bytes = static_cast<int64_t>(width) * height * bytesPerPixel;
  return bytes > INT_MAX ? 0 : static_cast<int>(bytes);
}
