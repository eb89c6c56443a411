#include "effect/OnePoleBank.h"

#include <numbers>

#include "effect/RoundedMath.h"

void OnePoleBank::Clear() {
  *this = OnePoleBank();
}

void OnePoleBank::Design(int slot, double cutoffHz, double sampleRate) {
  const double d = ExpRounded(-(2.0 * std::numbers::pi * cutoffHz) / sampleRate);
  g_[slot] = 1.0 - d;
  m_[slot] = -d;
}
