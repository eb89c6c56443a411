#include "raster/PXMemBitmap.h"

#include <cstdlib>

#include "raster/PXPixelBytes.h"

PXMemBitmap::PXMemBitmap(int width, int height) {
  const int bytes = PXPixelBytes(width, height, 4);
  if (bytes > 0) pixels_ = static_cast<uint32_t*>(std::malloc(static_cast<size_t>(bytes)));
  if (pixels_) {
    width_ = width;
    height_ = height;
    allocatedBytes_ = bytes;
  }
}

PXMemBitmap::~PXMemBitmap() {
  std::free(pixels_);
}

bool PXMemBitmap::Resize(int width, int height) {
  if (width == width_ && height == height_) return false;
  width_ = width;
  height_ = height;
  const int needed = PXPixelBytes(width, height, 4);
  if (needed <= 0) {
    std::free(pixels_);
    pixels_ = nullptr;
    allocatedBytes_ = 0;
  } else if (!pixels_) {
    pixels_ = static_cast<uint32_t*>(std::malloc(static_cast<size_t>(needed)));
    allocatedBytes_ = pixels_ ? needed : 0;
  } else if (allocatedBytes_ < needed) {
    // A quarter more than needed, so that growing step by step reallocates rarely.
    int grown = PXPixelBytes(width, height, 5);
    if (grown <= 0) grown = needed;
    void* moved = std::realloc(pixels_, static_cast<size_t>(grown));
    if (moved) {
      pixels_ = static_cast<uint32_t*>(moved);
      allocatedBytes_ = grown;
    } else {
      std::free(pixels_);
      pixels_ = static_cast<uint32_t*>(std::malloc(static_cast<size_t>(needed)));
      allocatedBytes_ = pixels_ ? needed : 0;
    }
  }
  if (!pixels_) {
    width_ = 0;
    height_ = 0;
  }
  return true;
}
