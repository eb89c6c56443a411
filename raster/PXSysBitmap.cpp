#include "raster/PXSysBitmap.h"

bool PXSysBitmap::Resize(int width, int height) {
  // A negative size would turn the top-down section into a bottom-up one.
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (!HasContext()) {
    width_ = 0;
    height_ = 0;
    pixels_ = nullptr;
    return false;
  }
  if (width == width_ && height == height_) return false;
  width_ = width;
  height_ = height;
  if (width != 0 && height != 0 && allocatedWidth_ >= width && allocatedHeight_ >= height &&
      pixels_) {
    return true;
  }
  allocatedWidth_ = width;
  allocatedHeight_ = height;
  ReleaseSurface();
  if (width == 0 || height == 0) return false;
  if (!CreateSurface()) {
    width_ = 0;
    height_ = 0;
    allocatedWidth_ = 0;
    allocatedHeight_ = 0;
  }
  return true;
}
