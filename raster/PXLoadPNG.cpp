#include "raster/PXLoadPNG.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <cstring>

#include "raster/PXDecodeTarget.h"
#include "raster/PXOpenFile.h"
#include "raster/PXRows.h"

namespace {

struct MemoryReader {
  const uint8_t* cursor;
  uint32_t remaining;
};

// Past the end it serves zeros: libpng then fails on the data, not on a read.
void ReadFromMemory(png_structp png, png_bytep out, size_t count) {
  auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  std::memset(out, 0, count);
  const size_t take = std::min<size_t>(count, reader->remaining);
  std::memcpy(out, reader->cursor, take);
  reader->cursor += take;
  reader->remaining -= static_cast<uint32_t>(take);
}

// Every kind of PNG comes out as 8-bit blue, green, red, alpha.
void RequestBgraLayout(png_structp png, png_infop info, int bitDepth, int colourType) {
  if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
  const bool transparency = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  if (transparency) png_set_tRNS_to_alpha(png);
  if (bitDepth == 16) png_set_strip_16(png);
  if (bitDepth < 8) png_set_packing(png);
  if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
    png_set_gray_to_rgb(png);
  }
  png_set_bgr(png);
  if ((colourType & PNG_COLOR_MASK_ALPHA) == 0 && !transparency) {
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  }
  png_set_interlace_handling(png);
}

// libpng reports errors by longjmp to here: this frame holds no object with a
// destructor, and the row table lives in `rows` for the caller to free.
bool ReadImage(png_structp png, png_infop info, PXDecodeTarget* target, png_bytep** rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_info(png, info);
  png_uint_32 width = 0, height = 0;
  int bitDepth = 0, colourType = 0;
  png_get_IHDR(png, info, &width, &height, &bitDepth, &colourType, nullptr, nullptr, nullptr);
  RequestBgraLayout(png, info, bitDepth, colourType);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != static_cast<size_t>(width) * 4) return false;
  if (width > 0x7FFFFFFF || height > 0x7FFFFFFF) return false;
  if (!PXPrepareDecodeTarget(target, static_cast<int>(width), static_cast<int>(height))) {
    return false;
  }
  const PXRows bitmapRows = PXRowsOf(*target->bitmap);
  *rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * height));
  if (!*rows) return false;
  for (png_uint_32 i = 0; i < height; ++i) {
    (*rows)[i] = reinterpret_cast<png_bytep>(bitmapRows.Row(static_cast<int>(i)));
  }
  png_read_image(png, *rows);
  return true;
}

// Memory input when `file` is null.
PXBitmap* Decode(MemoryReader* memory, std::FILE* file, PXBitmap* dest) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return nullptr;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return nullptr;
  }
  if (file) {
    png_init_io(png, file);
  } else {
    png_set_read_fn(png, memory, ReadFromMemory);
  }
  PXDecodeTarget target;
  target.supplied = dest;
  png_bytep* rows = nullptr;
  const bool decoded = ReadImage(png, info, &target, &rows);
  png_destroy_read_struct(&png, &info, nullptr);
  std::free(rows);
  return PXFinishDecodeTarget(&target, decoded);
}

}  // namespace

PXBitmap* PXLoadPNGFromMemory(const uint8_t* data, size_t size, PXBitmap* dest) {
  if (!data || size <= 7 || size > 0xFFFFFFFFu) return nullptr;
  if (png_sig_cmp(data, 0, 8) != 0) return nullptr;
  MemoryReader reader{data, static_cast<uint32_t>(size)};
  return Decode(&reader, nullptr, dest);
}

PXBitmap* PXLoadPNG(PXModuleHandle module, int resourceId, PXBitmap* dest) {
  const uint8_t* data = nullptr;
  size_t size = 0;
  if (!PXFindResource(module, "PNG", resourceId, &data, &size)) return nullptr;
  return PXLoadPNGFromMemory(data, size, dest);
}

PXBitmap* PXLoadPNG(const char* fileName, PXBitmap* dest) {
  std::FILE* file = PXOpenFileForReading(fileName);
  if (!file) return nullptr;
  PXBitmap* result = Decode(nullptr, file, dest);
  std::fclose(file);
  return result;
}
