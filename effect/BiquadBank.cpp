#include "effect/BiquadBank.h"

#include <algorithm>

void BiquadBank::Clear() {
  *this = BiquadBank();
}

void BiquadBank::SetCoefficients(int slot, const BiquadCoefficients& c) {
  b0_[slot] = c.b0;
  b1_[slot] = c.b1;
  b2_[slot] = c.b2;
  a1_[slot] = c.a1;
  a2_[slot] = c.a2;
}

BiquadCoefficients BiquadBank::Coefficients(int slot) const {
  return {b0_[slot], b1_[slot], b2_[slot], a1_[slot], a2_[slot]};
}

void BiquadBank::RunSeries(int first, int last, double* samples, int count) {
  const int stages = last - first + 1;
  if (stages <= 0 || count <= 0) return;
  // carry[j] holds what stage j passed on at the previous step; stages run from
  // the last to the first within a step so each reads its predecessor's value
  // before it is replaced.
  double carry[kSlots];
  const int steps = count + stages - 1;
  for (int t = 0; t < steps; ++t) {
    const int lowest = std::max(0, t - count + 1);
    const int highest = std::min(stages - 1, t);
    for (int j = highest; j >= lowest; --j) {
      const double x = j == 0 ? samples[t] : carry[j - 1];
      carry[j] = Run(first + j, x);
    }
    if (highest == stages - 1) samples[t - stages + 1] = carry[stages - 1];
  }
}
