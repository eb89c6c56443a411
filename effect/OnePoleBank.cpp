#include "effect/OnePoleBank.h"

#include <cmath>
#include <numbers>

void OnePoleBank::Clear() {
  *this = OnePoleBank();
}

void OnePoleBank::Design(int slot, double cutoffHz, double sampleRate) {
  const double d = std::exp(-(2.0 * std::numbers::pi * cutoffHz) / sampleRate);
  g_[slot] = 1.0 - d;
  m_[slot] = -d;
}
