#pragma once

#include <cstdint>

// A 32-bit bitmap: pixels are 4 bytes in the order blue, green, red, alpha (the
// colour word alpha << 24 | red << 16 | green << 8 | blue stored little-endian),
// not premultiplied. Row r starts at pixel r * GetRowSpan(); a flipped bitmap
// holds its rows bottom-up.
class PXBitmap {
 public:
  virtual ~PXBitmap() = default;
  // Address of pixel (0, 0) in memory; null for an empty bitmap.
  virtual uint32_t* GetPixels() = 0;
  virtual int GetWidth() const = 0;
  virtual int GetHeight() const = 0;
  // Row span in pixels, at least the width.
  virtual int GetRowSpan() const = 0;
  virtual bool IsFlipped() const { return false; }
  // True when the size changed. Pixel content after a resize is undefined.
  virtual bool Resize(int width, int height) = 0;
  // The Windows device context that presents the pixels, if there is one.
  virtual void* GetDC() { return nullptr; }
  virtual int QueryReserved() { return 0; }
};
