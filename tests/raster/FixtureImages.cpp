#include "tests/raster/FixtureImages.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

namespace {

void AppendToVector(png_structp png, png_bytep data, size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void Flush(png_structp) {}

int ChannelsOf(int colourType) {
  switch (colourType) {
    case PNG_COLOR_TYPE_GRAY:
      return 1;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
      return 2;
    case PNG_COLOR_TYPE_RGB:
      return 3;
    case PNG_COLOR_TYPE_PALETTE:
      return 1;
    default:
      return 4;
  }
}

// Packs samples big-endian at the bit depth, as PNG rows store them.
std::vector<uint8_t> PackRow(const PngImage& image, int y) {
  const int channels = ChannelsOf(image.colourType);
  const size_t bits = static_cast<size_t>(image.width) * channels * image.bitDepth;
  std::vector<uint8_t> row((bits + 7) / 8, 0);
  size_t bit = 0;
  for (int x = 0; x < image.width; ++x) {
    for (int v : image.samples(x, y)) {
      if (image.bitDepth == 16) {
        row[bit / 8] = static_cast<uint8_t>(v >> 8);
        row[bit / 8 + 1] = static_cast<uint8_t>(v);
      } else if (image.bitDepth == 8) {
        row[bit / 8] = static_cast<uint8_t>(v);
      } else {
        const int shift = 8 - image.bitDepth - static_cast<int>(bit % 8);
        row[bit / 8] = static_cast<uint8_t>(row[bit / 8] | (v << shift));
      }
      bit += static_cast<size_t>(image.bitDepth);
    }
  }
  return row;
}

}  // namespace

std::vector<uint8_t> EncodePng(const PngImage& image) {
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, AppendToVector, Flush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
               static_cast<png_uint_32>(image.height), image.bitDepth, image.colourType,
               image.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> palette;
  for (uint32_t c : image.palette) {
    palette.push_back(png_color{static_cast<png_byte>(c >> 16), static_cast<png_byte>(c >> 8),
                                static_cast<png_byte>(c)});
  }
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  std::vector<png_byte> alphas;
  png_color_16 key = {};
  if (!image.transparency.empty()) {
    if (image.colourType == PNG_COLOR_TYPE_PALETTE) {
      for (int a : image.transparency) alphas.push_back(static_cast<png_byte>(a));
      png_set_tRNS(png, info, alphas.data(), static_cast<int>(alphas.size()), nullptr);
    } else {
      if (image.colourType == PNG_COLOR_TYPE_GRAY) {
        key.gray = static_cast<png_uint_16>(image.transparency[0]);
      } else {
        key.red = static_cast<png_uint_16>(image.transparency[0]);
        key.green = static_cast<png_uint_16>(image.transparency[1]);
        key.blue = static_cast<png_uint_16>(image.transparency[2]);
      }
      png_set_tRNS(png, info, nullptr, 0, &key);
    }
  }
  std::vector<std::vector<uint8_t>> rows;
  std::vector<png_bytep> pointers;
  for (int y = 0; y < image.height; ++y) rows.push_back(PackRow(image, y));
  for (auto& r : rows) pointers.push_back(r.data());
  png_set_rows(png, info, pointers.data());
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::vector<uint8_t> EncodeJpeg(int width, int height, int components, uint8_t sample) {
  jpeg_compress_struct c;
  jpeg_error_mgr errors;
  c.err = jpeg_std_error(&errors);
  jpeg_create_compress(&c);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buffer, &size);
  c.image_width = static_cast<JDIMENSION>(width);
  c.image_height = static_cast<JDIMENSION>(height);
  c.input_components = components;
  c.in_color_space = components == 1 ? JCS_GRAYSCALE : (components == 3 ? JCS_RGB : JCS_CMYK);
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 100, TRUE);
  jpeg_start_compress(&c, TRUE);
  std::vector<JSAMPLE> row(static_cast<size_t>(width) * components, sample);
  while (c.next_scanline < c.image_height) {
    JSAMPROW pointer = row.data();
    jpeg_write_scanlines(&c, &pointer, 1);
  }
  jpeg_finish_compress(&c);
  std::vector<uint8_t> out(buffer, buffer + size);
  jpeg_destroy_compress(&c);
  std::free(buffer);
  return out;
}

bool WriteFile(const char* path, const std::vector<uint8_t>& bytes) {
  std::FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

std::vector<int> ResourceImageSamples(int x, int y) {
  return {(x * 6) & 255, (y * 3) & 255, (x + y) & 255, (x * y + 1) & 255};
}
