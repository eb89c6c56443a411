#pragma once

#include <cmath>
#include <cstdint>

// The mode word taken by every combining operation. Bits 0-7 select the combine
// step, bits 8-15 the sampling of scaled and rotated copies, bit 16 weights each
// source pixel by its own alpha.
constexpr uint32_t PX_COMBINE_COPY = 0;
constexpr uint32_t PX_COMBINE_ADD = 1;
constexpr uint32_t PX_COMBINE_DODGE = 2;
constexpr uint32_t PX_COMBINE_MULTIPLY = 3;
constexpr uint32_t PX_COMBINE_OVERLAY = 4;
constexpr uint32_t PX_COMBINE_HSV = 5;
// Block copies only: PX_COMBINE_CHANNEL | source byte | destination byte << 2.
constexpr uint32_t PX_COMBINE_CHANNEL = 0xF0;
constexpr uint32_t PX_COMBINE_MASK = 0xFF;
constexpr uint32_t PX_SAMPLE_BILINEAR = 0x100;
constexpr uint32_t PX_SAMPLE_MASK = 0xFF00;
constexpr uint32_t PX_SOURCE_ALPHA = 0x10000;

// Largest weight magnitude accepted: every combine formula stays inside int
// for weights up to 16 times opaque, so larger alphas are limited to that.
constexpr int kPXMaxWeight = 4096;

// trunc(alpha * 256), the integer weight of every combine step. NaN weighs 0.
inline int PXWeightFromAlpha(float alpha) {
  const float scaled = alpha * 256.0f;
  if (std::isnan(scaled)) return 0;
  if (scaled > static_cast<float>(kPXMaxWeight)) return kPXMaxWeight;
  if (scaled < static_cast<float>(-kPXMaxWeight)) return -kPXMaxWeight;
  return static_cast<int>(scaled);
}

inline bool PXIsBilinear(uint32_t mode) {
  return (mode & PX_SAMPLE_MASK) == PX_SAMPLE_BILINEAR;
}
