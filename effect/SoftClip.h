#pragma once

// The clipping curve of the three drive branches: 5v - 12.5 v|v| below 0.2 in
// magnitude, +-0.5 beyond. Odd, continuous, never above 0.5 in magnitude. A NaN
// gives -0.5, so a branch cannot hand one on.
inline double SoftClip(double v) {
  // Below 2^-56, a / 0.4 is under half the last bit below 1, so the factor
  // rounds to exactly 1: skipping the division gives the same bits. It is
  // what silence feeds the branches (the 1e-20 offsets), and the division
  // would otherwise make silence the slowest input.
  constexpr double kFactorIsOne = 0x1p-56;
  const double a = v < 0.0 ? -v : v;
  if (a < kFactorIsOne) return v * 0.5 * 10.0;
  if (a < 0.2) return (1.0 - a / 0.4) * v * 0.5 * 10.0;
  return v >= 0.0 ? 0.5 : -0.5;
}
