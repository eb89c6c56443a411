#pragma once

// What the pitch engine needs from the mode and the pedal position.
struct PitchMapping {
  double windowRateHz = 0.0;     // sawtooth frequency of the taps
  double phaseIncrement = 0.0;   // window rate / sample rate
  double doubleIncrement = 0.0;  // slope of the crossfade triangle per sample
  double targetDepth = 0.0;      // sweep depth as a fraction of the delay length
  double direction = -1.0;       // +1 for downward shifts, -1 otherwise
};

constexpr int kPitchModes = 14;

// Maps mode 0..13 and pedal position 0..1 to the engine's values at the
// sample rate. Returns false and leaves `mapping` alone for any other mode.
bool ComputePitchMapping(int mode, double pedal, double sampleRate, PitchMapping& mapping);
