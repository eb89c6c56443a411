#pragma once

#include <cmath>
#include <cstdint>

// Conversions from the doubles of the set-up to the integers of the inner
// loops. They saturate (NaN gives 0) so that no host-supplied value can reach
// an undefined conversion; bounds checks in the loops then draw nothing.
inline int64_t PXTruncToInt64(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 9.0e15) return static_cast<int64_t>(9.0e15);
  if (v <= -9.0e15) return static_cast<int64_t>(-9.0e15);
  return static_cast<int64_t>(v);
}

inline int PXTruncToInt(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return 2147483647;
  if (v <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(v);
}

// 16.16 fixed point, truncated.
inline int64_t PXToFixed(double v) {
  return PXTruncToInt64(v * 65536.0);
}

// Integer part of a 16.16 position, truncating toward zero.
inline int64_t PXFixedToInt(int64_t v) {
  return v / 65536;
}
