#pragma once

#include "raster/PXBitmap.h"

// A bitmap in plain heap memory; its row span is its width. The buffer grows
// with a quarter to spare and never shrinks while it is large enough.
class PXMemBitmap final : public PXBitmap {
 public:
  PXMemBitmap() = default;
  // Width and height become 0 when the size is not positive or allocation fails.
  PXMemBitmap(int width, int height);
  ~PXMemBitmap() override;
  PXMemBitmap(const PXMemBitmap&) = delete;
  PXMemBitmap& operator=(const PXMemBitmap&) = delete;

  uint32_t* GetPixels() override { return pixels_; }
  int GetWidth() const override { return width_; }
  int GetHeight() const override { return height_; }
  int GetRowSpan() const override { return width_; }
  bool Resize(int width, int height) override;

  int GetAllocatedBytes() const { return allocatedBytes_; }

 private:
  uint32_t* pixels_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  int allocatedBytes_ = 0;
};
