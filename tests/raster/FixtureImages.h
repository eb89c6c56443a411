#pragma once

// Test images built with libpng and libjpeg themselves, so that every decoder
// test states its input in code.

#include <cstdint>
#include <functional>
#include <vector>

struct PngImage {
  int width = 1;
  int height = 1;
  int colourType = 2;  // PNG_COLOR_TYPE_*
  int bitDepth = 8;
  bool interlaced = false;
  // Samples of pixel (x, y) in the file's channel order, each in 0 .. 2^bitDepth - 1
  // (for palette images the index). Packed by the encoder.
  std::function<std::vector<int>(int x, int y)> samples;
  // Palette entries as 0xRRGGBB, and tRNS data: alphas per palette index, or
  // the one transparent colour key (grey, or r, g, b).
  std::vector<uint32_t> palette;
  std::vector<int> transparency;
};

std::vector<uint8_t> EncodePng(const PngImage& image);

// components: 1 grey, 3 RGB, 4 CMYK; every pixel gets `sample` in each component.
std::vector<uint8_t> EncodeJpeg(int width, int height, int components, uint8_t sample);

bool WriteFile(const char* path, const std::vector<uint8_t>& bytes);

// Pixel (x, y) of the RGBA image the build embeds as resource 100.
std::vector<int> ResourceImageSamples(int x, int y);
