#include "raster/PXDecodeTarget.h"

#include <new>

bool PXPrepareDecodeTarget(PXDecodeTarget* target, int width, int height) {
  if (width <= 0 || height <= 0) return false;
  if (target->supplied) {
    target->supplied->Resize(width, height);
    target->bitmap = target->supplied;
  } else {
    target->created = new (std::nothrow) PXMemBitmap(width, height);
    target->bitmap = target->created;
  }
  PXBitmap* b = target->bitmap;
  return b && b->GetPixels() && b->GetWidth() == width && b->GetHeight() == height &&
         b->GetRowSpan() >= width;
}

PXBitmap* PXFinishDecodeTarget(PXDecodeTarget* target, bool decoded) {
  if (decoded) return target->bitmap;
  delete target->created;
  target->created = nullptr;
  return nullptr;
}
