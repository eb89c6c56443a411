#pragma once

// The per-pixel combine steps shared by every drawing operation. Internal to
// the raster library. All divisions truncate toward zero, as C++ does.

#include <cstdint>

#include "raster/PXMode.h"

enum class PXStep { kCopy, kAdd, kDodge, kMultiply, kOverlay, kHsv };

inline int PXClamp255(int v) {
  return v < 0 ? 0 : (v > 255 ? 255 : v);
}

// One channel: d is the destination byte, s the source value, w the weight.
template <PXStep kStep>
inline int PXCombineChannel(int d, int s, int w) {
  if constexpr (kStep == PXStep::kCopy) {
    return (d - s) * (256 - w) / 256 + s;
  } else if constexpr (kStep == PXStep::kAdd) {
    return PXClamp255(d + s * w / 256);
  } else if constexpr (kStep == PXStep::kDodge) {
    const int t = s * w / 256;
    return t > 254 ? PXClamp255(d * 256) : PXClamp255(d * 256 / (256 - t));
  } else if constexpr (kStep == PXStep::kMultiply) {
    return d * (s * w + (256 - w) * 256) / 65536;
  } else {
    static_assert(kStep == PXStep::kOverlay);
    const int m = (256 - w) * 128;
    return PXClamp255(((32768 - s * w - m) * d / 256 + s * w + m) * d / 32768);
  }
}

// Hue on a 0-383 circle (six sectors of 64), saturation and value 0-255.
struct PXHsv {
  int hue;
  int saturation;
  int value;
};

inline PXHsv PXToHsv(int r, int g, int b) {
  const int maxc = r > g ? (r > b ? r : b) : (g > b ? g : b);
  const int minc = r < g ? (r < b ? r : b) : (g < b ? g : b);
  const int delta = maxc - minc;
  PXHsv hsv{0, maxc == 0 ? 0 : delta * 255 / maxc, maxc};
  if (delta == 0) return hsv;
  if (maxc == r) {
    hsv.hue = 64 * (g - b) / delta;
  } else if (maxc == g) {
    hsv.hue = 128 + 64 * (b - r) / delta;
  } else {
    hsv.hue = 256 + 64 * (r - g) / delta;
  }
  if (hsv.hue < 0) hsv.hue += 384;
  return hsv;
}

inline void PXFromHsv(const PXHsv& hsv, int* r, int* g, int* b) {
  const int v = hsv.value;
  const int s = hsv.saturation;
  if (s == 0) {
    *r = *g = *b = v;
    return;
  }
  const int f = hsv.hue % 64;
  const int p = v * (255 - s) / 255;
  const int q = v * (255 - s * f / 64) / 255;
  const int t = v * (255 - s * (64 - f) / 64) / 255;
  switch (hsv.hue / 64) {
    case 0:
      *r = v, *g = t, *b = p;
      break;
    case 1:
      *r = q, *g = v, *b = p;
      break;
    case 2:
      *r = p, *g = v, *b = t;
      break;
    case 3:
      *r = p, *g = q, *b = v;
      break;
    case 4:
      *r = t, *g = p, *b = v;
      break;
    default:
      *r = v, *g = p, *b = q;
      break;
  }
}

// The source's red turns the hue, green the saturation, blue the value, each
// centred on 128 and scaled by the weight; the pixel takes the source alpha.
inline void PXCombineHsv(uint8_t* d, int sb, int sg, int sr, int sa, int w) {
  PXHsv hsv = PXToHsv(d[2], d[1], d[0]);
  hsv.hue = (hsv.hue + w * (sr + sr / 2 - 192) / 256) % 384;
  if (hsv.hue < 0) hsv.hue += 384;
  hsv.saturation = PXClamp255(hsv.saturation + w * (sg - 128) / 256);
  hsv.value = PXClamp255(hsv.value + w * (sb - 128) / 256);
  int r = 0, g = 0, b = 0;
  PXFromHsv(hsv, &r, &g, &b);
  d[0] = static_cast<uint8_t>(b);
  d[1] = static_cast<uint8_t>(g);
  d[2] = static_cast<uint8_t>(r);
  d[3] = static_cast<uint8_t>(sa);
}

// One pixel: d points at the destination's blue byte; the source channels are
// ints because fills stand the weight itself in for the source alpha.
template <PXStep kStep, bool kSourceAlpha>
inline void PXCombinePixel(uint8_t* d, int sb, int sg, int sr, int sa, int w) {
  if constexpr (kSourceAlpha) {
    if constexpr (kStep == PXStep::kCopy || kStep == PXStep::kAdd || kStep == PXStep::kMultiply) {
      if (sa == 0) return;
    }
    w = w * (sa + 1) / 256;
  }
  if constexpr (kStep == PXStep::kHsv) {
    PXCombineHsv(d, sb, sg, sr, sa, w);
  } else {
    d[0] = static_cast<uint8_t>(PXCombineChannel<kStep>(d[0], sb, w));
    d[1] = static_cast<uint8_t>(PXCombineChannel<kStep>(d[1], sg, w));
    d[2] = static_cast<uint8_t>(PXCombineChannel<kStep>(d[2], sr, w));
    d[3] = static_cast<uint8_t>(PXCombineChannel<kStep>(d[3], sa, w));
  }
}

template <PXStep kStep, bool kSourceAlpha>
inline void PXCombineWord(uint32_t* d, uint32_t s, int w) {
  PXCombinePixel<kStep, kSourceAlpha>(
      reinterpret_cast<uint8_t*>(d), static_cast<int>(s & 0xFF), static_cast<int>((s >> 8) & 0xFF),
      static_cast<int>((s >> 16) & 0xFF), static_cast<int>(s >> 24), w);
}

// Whole-word averages: x/2 and x/4 of every byte at once.
inline uint32_t PXHalf(uint32_t x) {
  return (x >> 1) & 0x7F7F7F7Fu;
}
inline uint32_t PXQuarter(uint32_t x) {
  return (x >> 2) & 0x3F3F3F3Fu;
}

// Instantiates body.template operator()<step, sourceAlpha>() for the combine
// step of the mode (bits 0-7 and PX_SOURCE_ALPHA), so that the step is chosen
// once per call. False when the mode draws nothing.
template <class Body>
bool PXDispatchCombine(uint32_t mode, Body&& body) {
  const bool sourceAlpha = (mode & PX_SOURCE_ALPHA) != 0;
  auto run = [&]<PXStep kStep>() {
    if (sourceAlpha) {
      body.template operator()<kStep, true>();
    } else {
      body.template operator()<kStep, false>();
    }
  };
  switch (mode & PX_COMBINE_MASK) {
    case PX_COMBINE_COPY:
      run.template operator()<PXStep::kCopy>();
      return true;
    case PX_COMBINE_ADD:
      run.template operator()<PXStep::kAdd>();
      return true;
    case PX_COMBINE_DODGE:
      run.template operator()<PXStep::kDodge>();
      return true;
    case PX_COMBINE_MULTIPLY:
      run.template operator()<PXStep::kMultiply>();
      return true;
    case PX_COMBINE_OVERLAY:
      run.template operator()<PXStep::kOverlay>();
      return true;
    case PX_COMBINE_HSV:
      run.template operator()<PXStep::kHsv>();
      return true;
    default:
      return false;
  }
}
