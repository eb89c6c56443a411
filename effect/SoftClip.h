#pragma once

// The clipping curve of the three drive branches: 5v - 12.5 v|v| below 0.2 in
// magnitude, +-0.5 beyond. Odd, continuous, never above 0.5 in magnitude. A NaN
// gives -0.5, so a branch cannot hand one on.
inline double SoftClip(double v) {
  const double a = v < 0.0 ? -v : v;
  if (a < 0.2) return (1.0 - a / 0.4) * v * 0.5 * 10.0;
  return v >= 0.0 ? 0.5 : -0.5;
}
