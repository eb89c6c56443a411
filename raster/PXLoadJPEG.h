#pragma once

#include <cstddef>
#include <cstdint>

#include "raster/PXBitmap.h"
#include "raster/PXResources.h"

// JPEG decoding into opaque blue, green, red, alpha pixels: colour and grey
// images; images of any other component count (CMYK) come out transparent
// black. Destination and failure rules as for PXLoadPNG. libjpeg's messages are
// suppressed.

// The resource of type "JPG" with the id.
PXBitmap* PXLoadJPEG(PXModuleHandle module, int resourceId, PXBitmap* dest = nullptr);
// A file named in UTF-8.
PXBitmap* PXLoadJPEG(const char* fileName, PXBitmap* dest = nullptr);
// JPEG bytes in memory; 7 bytes or fewer are refused before decoding.
PXBitmap* PXLoadJPEGFromMemory(const uint8_t* data, size_t size, PXBitmap* dest = nullptr);
