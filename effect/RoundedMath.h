#pragma once

#include <cmath>

// Transcendentals for filter design and parameter laws, taken in extended
// precision and rounded to double once. The C run-times we ship on (glibc on
// x86-64 and i386, mingw-w64) round their double sin, exp, sinh and pow
// differently in the last place; the extended results round to the same
// double everywhere, so every build designs bit-identical filters.
inline double SinRounded(double x) {
  return static_cast<double>(std::sin(static_cast<long double>(x)));
}

inline double CosRounded(double x) {
  return static_cast<double>(std::cos(static_cast<long double>(x)));
}

inline double ExpRounded(double x) {
  return static_cast<double>(std::exp(static_cast<long double>(x)));
}

// sinh from a rounded expm1 in the usual two-range form; the extended sinh
// itself lands on the other side of a rounding for some bandwidth angles.
inline double SinhRounded(double x) {
  const double magnitude = std::fabs(x);
  const double half = x < 0.0 ? -0.5 : 0.5;
  if (magnitude < 0x1p-28) return x;
  if (magnitude >= 22.0) return half * ExpRounded(magnitude);
  const double t = static_cast<double>(std::expm1(static_cast<long double>(magnitude)));
  if (magnitude < 1.0) return half * (2.0 * t - t * t / (t + 1.0));
  return half * (t + t / (t + 1.0));
}

inline double PowRounded(double base, double exponent) {
  return static_cast<double>(
      std::pow(static_cast<long double>(base), static_cast<long double>(exponent)));
}
