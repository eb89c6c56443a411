#pragma once

#include <cstddef>
#include <cstdint>

#include "raster/PXBitmap.h"
#include "raster/PXResources.h"

// PNG decoding into blue, green, red, alpha pixels (opaque unless the image has
// alpha or a transparency chunk). With `dest` the image is decoded into it
// (resized to the image); without, into a new PXMemBitmap owned by the caller.
// Null on any failure, with nothing held.

// The resource of type "PNG" with the id.
PXBitmap* PXLoadPNG(PXModuleHandle module, int resourceId, PXBitmap* dest = nullptr);
// A file named in UTF-8.
PXBitmap* PXLoadPNG(const char* fileName, PXBitmap* dest = nullptr);
// PNG bytes in memory; 7 bytes or fewer are refused before decoding.
PXBitmap* PXLoadPNGFromMemory(const uint8_t* data, size_t size, PXBitmap* dest = nullptr);
