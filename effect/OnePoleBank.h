#pragma once

// Eight one-pole low-pass slots: y = g x - m z, with g = 1 - d and m = -d.
// Callers add the denormal offset where the drive path asks for it.
class OnePoleBank {
 public:
  static constexpr int kSlots = 8;

  // Zeroes every coefficient and state.
  void Clear();
  // Designs a slot for the corner frequency; its state is kept.
  void Design(int slot, double cutoffHz, double sampleRate);
  double Gain(int slot) const { return g_[slot]; }
  double Feedback(int slot) const { return m_[slot]; }

  double Run(int slot, double x) {
    const double y = g_[slot] * x - m_[slot] * z_[slot];
    z_[slot] = y;
    return y;
  }

 private:
  double g_[kSlots] = {};
  double m_[kSlots] = {};
  double z_[kSlots] = {};
};
