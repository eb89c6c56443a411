#include <windows.h>

#include "raster/PXSysBitmap.h"

PXSysBitmap::PXSysBitmap(int width, int height) {
  dc_ = CreateCompatibleDC(nullptr);
  Resize(width, height);
}

PXSysBitmap::~PXSysBitmap() {
  ReleaseSurface();
  if (dc_) DeleteDC(static_cast<HDC>(dc_));
}

bool PXSysBitmap::HasContext() const {
  return dc_ != nullptr;
}

void PXSysBitmap::ReleaseSurface() {
  if (previousBitmap_) {
    SelectObject(static_cast<HDC>(dc_), static_cast<HGDIOBJ>(previousBitmap_));
    previousBitmap_ = nullptr;
  }
  if (section_) DeleteObject(static_cast<HGDIOBJ>(section_));
  section_ = nullptr;
  pixels_ = nullptr;
}

bool PXSysBitmap::CreateSurface() {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = allocatedWidth_;
  info.bmiHeader.biHeight = -allocatedHeight_;  // negative: rows top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!section || !bits) {
    if (section) DeleteObject(section);
    return false;
  }
  section_ = section;
  previousBitmap_ = SelectObject(static_cast<HDC>(dc_), section);
  pixels_ = static_cast<uint32_t*>(bits);
  return true;
}
