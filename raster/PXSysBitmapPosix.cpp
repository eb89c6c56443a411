#include <cstdlib>

#include "raster/PXPixelBytes.h"
#include "raster/PXSysBitmap.h"

// Without a window system at this level the surface is plain memory; the X11
// window presents it from GetPixels() and GetRowSpan().

PXSysBitmap::PXSysBitmap(int width, int height) {
  Resize(width, height);
}

PXSysBitmap::~PXSysBitmap() {
  ReleaseSurface();
}

bool PXSysBitmap::HasContext() const {
  return true;
}

void PXSysBitmap::ReleaseSurface() {
  std::free(section_);
  section_ = nullptr;
  pixels_ = nullptr;
}

bool PXSysBitmap::CreateSurface() {
  const int bytes = PXPixelBytes(allocatedWidth_, allocatedHeight_, 4);
  if (bytes <= 0) return false;
  section_ = std::malloc(static_cast<size_t>(bytes));
  pixels_ = static_cast<uint32_t*>(section_);
  return pixels_ != nullptr;
}
