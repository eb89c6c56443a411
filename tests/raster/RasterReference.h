#pragma once

// Slow, per-pixel versions of the raster arithmetic, written straight from the
// formulas, against which the library's loops are compared.

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "raster/PXBitmap.h"

// A bitmap over a vector, optionally flipped and with a row span wider than
// its width, to exercise every addressing path.
class TestBitmap final : public PXBitmap {
 public:
  TestBitmap(int width, int height, int extraSpan = 0, bool flipped = false)
      : width_(width),
        height_(height),
        span_(width + extraSpan),
        flipped_(flipped),
        pixels_(static_cast<size_t>(span_) * height, 0u) {}
  uint32_t* GetPixels() override { return pixels_.empty() ? nullptr : pixels_.data(); }
  int GetWidth() const override { return width_; }
  int GetHeight() const override { return height_; }
  int GetRowSpan() const override { return span_; }
  bool IsFlipped() const override { return flipped_; }
  bool Resize(int, int) override { return false; }  // a bitmap that cannot change size

  // Pixel (x, y) as the operations see it: row 0 is the top.
  uint32_t& At(int x, int y) {
    const int memoryRow = flipped_ ? height_ - 1 - y : y;
    return pixels_[static_cast<size_t>(memoryRow) * span_ + x];
  }
  // Every pixel in visual order, padding excluded.
  std::vector<uint32_t> Visible() {
    std::vector<uint32_t> out;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) out.push_back(At(x, y));
    return out;
  }
  std::vector<uint32_t>& Memory() { return pixels_; }

 private:
  int width_, height_, span_;
  bool flipped_;
  std::vector<uint32_t> pixels_;
};

namespace ref {

inline int Clamp(int v) {
  return v < 0 ? 0 : (v > 255 ? 255 : v);
}
inline int Byte(uint32_t word, int i) {
  return static_cast<int>((word >> (8 * i)) & 0xFF);
}
inline uint32_t Half(uint32_t x) {
  return (x >> 1) & 0x7F7F7F7Fu;
}
inline uint32_t Quarter(uint32_t x) {
  return (x >> 2) & 0x3F3F3F3Fu;
}

// One channel of the combine step `step` (0 copy ... 4 overlay).
inline int Channel(int step, int d, int s, int w) {
  switch (step) {
    case 0:
      return (d - s) * (256 - w) / 256 + s;
    case 1:
      return Clamp(d + s * w / 256);
    case 2: {
      const int t = s * w / 256;
      if (t > 254) return Clamp(d * 256);
      return Clamp(d * 256 / (256 - t));
    }
    case 3:
      return d * (s * w + (256 - w) * 256) / 65536;
    default: {
      const int m = (256 - w) * 128;
      return Clamp(((32768 - s * w - m) * d / 256 + s * w + m) * d / 32768);
    }
  }
}

// The combine step of `mode` on one pixel; s holds blue, green, red, alpha.
// The hue step is left to the library's own tests (returns false).
inline bool Combine(uint32_t& dest, const int s[4], int w, uint32_t mode) {
  const int step = static_cast<int>(mode & 0xFF);
  if (step > 4) return false;
  const int sa = s[3];
  if (mode & 0x10000) {
    if ((step == 0 || step == 1 || step == 3) && sa == 0) return true;
    w = w * (sa + 1) / 256;
  }
  uint32_t out = 0;
  for (int i = 0; i < 4; ++i) {
    out |= static_cast<uint32_t>(Channel(step, Byte(dest, i), s[i], w) & 0xFF) << (8 * i);
  }
  dest = out;
  return true;
}

inline void CombineWord(uint32_t& dest, uint32_t src, int w, uint32_t mode) {
  const int s[4] = {Byte(src, 0), Byte(src, 1), Byte(src, 2), Byte(src, 3)};
  Combine(dest, s, w, mode);
}

// PXBlit, one pixel at a time.
inline void Blit(TestBitmap& dest, TestBitmap& src, int destX, int destY, int srcX, int srcY,
                 int width, int height, float alpha, uint32_t mode) {
  if (alpha == 0.0f) return;
  const int w = static_cast<int>(alpha * 256.0f);
  for (int sy = srcY; sy < srcY + height; ++sy) {
    for (int sx = srcX; sx < srcX + width; ++sx) {
      const int dx = destX + sx - srcX, dy = destY + sy - srcY;
      if (sx < 0 || sy < 0 || sx >= src.GetWidth() || sy >= src.GetHeight()) continue;
      if (dx < 0 || dy < 0 || dx >= dest.GetWidth() || dy >= dest.GetHeight()) continue;
      uint32_t& d = dest.At(dx, dy);
      const uint32_t s = src.At(sx, sy);
      if ((mode & 0xFF) >= 0xF0) {
        const int from = static_cast<int>(mode & 3), to = static_cast<int>((mode >> 2) & 3);
        d = (d & ~(0xFFu << (8 * to))) | (static_cast<uint32_t>(Byte(s, from)) << (8 * to));
      } else if ((mode & 0x100FF) == 0) {
        if (alpha == 1.0f) {
          d = s;
        } else if (alpha == 0.5f) {
          d = Half(s) + Half(d);
        } else if (w > 0) {
          CombineWord(d, s, w, 0);
        }
      } else if (w != 0) {
        CombineWord(d, s, w, mode & 0x100FF);
      }
    }
  }
}

// PXFillRect, one pixel at a time.
inline void Fill(TestBitmap& dest, int x, int y, int width, int height, uint32_t colour,
                 float alpha, uint32_t mode) {
  if (mode & 0x10000) alpha *= static_cast<float>(colour >> 24) * 0.003921569f;
  if (alpha == 0.0f) return;
  const int w = static_cast<int>(alpha * 256.0f);
  for (int py = y; py < y + height; ++py) {
    for (int px = x; px < x + width; ++px) {
      if (px < 0 || py < 0 || px >= dest.GetWidth() || py >= dest.GetHeight()) continue;
      uint32_t& d = dest.At(px, py);
      if ((mode & 0xFF) == 0 && w == 256) {
        d = colour;
      } else if ((mode & 0xFF) == 0 && w == 128) {
        d = Half(colour) + Half(d);
      } else if ((mode & 0xFF) == 0 && w == 64) {
        d = Half(d) + Quarter(d) + Quarter(colour);
      } else if ((mode & 0xFF) == 0 && w == 192) {
        d = Half(colour) + Quarter(colour) + Quarter(d);
      } else if (w != 0 && !((mode & 0xFF) == 0 && w < 0)) {
        const int s[4] = {Byte(colour, 0), Byte(colour, 1), Byte(colour, 2), w};
        Combine(d, s, w, mode & 0xFF);
      }
    }
  }
}

// Random pixels with many fully transparent and fully opaque ones, alone and
// in runs as in artwork.
inline void Randomise(TestBitmap& b, std::mt19937& rng) {
  uint32_t run = 0;
  size_t i = 0;
  for (uint32_t& p : b.Memory()) {
    if (i++ % 8 == 0) run = rng() % 4;
    p = static_cast<uint32_t>(rng());
    const uint32_t pick = run == 3 ? rng() % 4 : run;
    if (pick == 0) p &= 0x00FFFFFFu;
    if (pick == 1) p |= 0xFF000000u;
  }
}

}  // namespace ref
