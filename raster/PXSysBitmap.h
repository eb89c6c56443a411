#pragma once

#include "raster/PXBitmap.h"

// The drawing surface: a top-down 32-bit pixel array that a window can present.
// On Windows it is a section selected into a memory device context; elsewhere
// plain memory. Its allocation never shrinks, so after a resize to a smaller
// size the row span stays the allocated width.
class PXSysBitmap final : public PXBitmap {
 public:
  PXSysBitmap(int width, int height);
  ~PXSysBitmap() override;
  PXSysBitmap(const PXSysBitmap&) = delete;
  PXSysBitmap& operator=(const PXSysBitmap&) = delete;

  uint32_t* GetPixels() override { return pixels_; }
  int GetWidth() const override { return width_; }
  int GetHeight() const override { return height_; }
  int GetRowSpan() const override { return allocatedWidth_; }
  bool Resize(int width, int height) override;
  void* GetDC() override { return dc_; }

 private:
  // False when the platform could not give the surface a device context.
  bool HasContext() const;
  // Releases the current pixel allocation (and deselects it on Windows).
  void ReleaseSurface();
  // Allocates allocatedWidth_ x allocatedHeight_ pixels; false on failure.
  bool CreateSurface();

  void* dc_ = nullptr;  // memory device context on Windows, null elsewhere
  int width_ = 0;
  int height_ = 0;
  uint32_t* pixels_ = nullptr;
  int allocatedWidth_ = 0;
  int allocatedHeight_ = 0;
  void* section_ = nullptr;
  void* previousBitmap_ = nullptr;
};
