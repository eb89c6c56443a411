#include "effect/BiquadBank.h"

#include <algorithm>
#include <utility>

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

void BiquadBank::FlushTinyStates() {
  const auto flush = [](double& v) {
    if (v < kTinyState && v > -kTinyState) v = 0.0;
  };
  for (int slot = 0; slot < kSlots; ++slot) {
    flush(y1_[slot]);
    flush(y2_[slot]);
  }
}

void BiquadBank::RunSeries(int first, int last, double* samples, int count) {
  const int stages = last - first + 1;
  if (stages <= 0 || count <= 0) return;
  // Local copies of the slots, which nothing else can alias, let the compiler
  // keep them close and work neighbouring stages side by side in vector lanes.
  // Each lane does exactly the scalar operations of Run, so results are equal.
  BiquadBank local;
  const auto copy = [stages](const double* from, double* to) {
    std::copy(from, from + stages, to);
  };
  copy(b0_ + first, local.b0_);
  copy(b1_ + first, local.b1_);
  copy(b2_ + first, local.b2_);
  copy(a1_ + first, local.a1_);
  copy(a2_ + first, local.a2_);
  copy(x1_ + first, local.x1_);
  copy(x2_ + first, local.x2_);
  copy(y1_ + first, local.y1_);
  copy(y2_ + first, local.y2_);

  // in[j] is what stage j takes at this step: the sample for stage 0, what
  // stage j - 1 passed on at the previous step otherwise. Stage j works on
  // sample t - j, so the stages of one step do not depend on each other.
  double bufferA[kSlots + 1] = {};
  double bufferB[kSlots + 1] = {};
  double* in = bufferA;
  double* out = bufferB;
  const int steps = count + stages - 1;
  for (int t = 0; t < steps; ++t) {
    const int lowest = std::max(0, t - count + 1);
    const int highest = std::min(stages - 1, t);
    if (t < count) in[0] = samples[t];
    for (int j = lowest; j <= highest; ++j) {
      const double x = in[j];
      const double y = local.b0_[j] * x + local.b1_[j] * local.x1_[j] +
                       local.b2_[j] * local.x2_[j] - local.a1_[j] * local.y1_[j] -
                       local.a2_[j] * local.y2_[j];
      local.x2_[j] = local.x1_[j];
      local.x1_[j] = x;
      local.y2_[j] = local.y1_[j];
      local.y1_[j] = y;
      out[j + 1] = y + kDenormalOffset;
    }
    if (highest == stages - 1) samples[t - stages + 1] = out[stages];
    std::swap(in, out);
  }

  std::copy(local.x1_, local.x1_ + stages, x1_ + first);
  std::copy(local.x2_, local.x2_ + stages, x2_ + first);
  std::copy(local.y1_, local.y1_ + stages, y1_ + first);
  std::copy(local.y2_, local.y2_ + stages, y2_ + first);
}
