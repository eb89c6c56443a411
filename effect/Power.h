#pragma once

#include <cmath>

// pow taken in extended precision and rounded to double once. The run-time
// libraries we build against disagree by a few units in the last place on the
// double pow (mingw's is the outlier); the extended result rounds to the same
// double on every target.
inline double PowRounded(double base, double exponent) {
  return static_cast<double>(
      std::pow(static_cast<long double>(base), static_cast<long double>(exponent)));
}
