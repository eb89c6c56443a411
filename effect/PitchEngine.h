#pragma once

#include <memory>

#include "effect/PitchMapping.h"

// Two-tap delay-line pitch shifter: the taps' delays sweep in a sawtooth at
// the window rate, half a period apart, crossfaded by a triangle so that each
// tap is silent when its delay jumps back. The pedal is looked at once per
// control block (1/32 second) and the sweep depth ramps linearly to its new
// target over the next block.
//
// Both taps read the same history, so one delay line serves them both.
class PitchEngine {
 public:
  // Lowest rate with a control block of at least one sample.
  static constexpr int kMinDelaySamples = 32;

  // Allocates a zeroed line of `delaySamples` (one second) and returns every
  // state to its start. On failure (too short, or no memory) nothing changes
  // and the result is false.
  bool Reset(int delaySamples);
  // False until the first successful Reset; no step may run before it.
  bool Ready() const { return line_ != nullptr; }

  // The sample rate the mapping is computed for; applies the mapping again.
  void SetSampleRate(double sampleRate);
  // Selects mode 0..13 at once and makes the next pedal check start a ramp to
  // its target. Other modes are ignored.
  void SelectMode(int mode);
  // Taken at the next pedal check. Clamped to 0..1, NaN counting as 0.
  void SetPedal(double position);
  // Recomputes the window rate, increments, target and direction.
  void ApplyModeMapping();

  // One sample: x feeds the line; dry is added in modes 0 to 8. The
  // interpolating variant reads between samples, the other rounds down.
  double StepInterpolating(double x, double dry) { return Step<true>(x, dry); }
  double StepNearest(double x, double dry) { return Step<false>(x, dry); }

  int Mode() const { return mode_; }
  double Pedal() const { return pedal_; }
  double Depth() const { return depth_; }
  int DelaySamples() const { return length_; }
  int ControlBlockSamples() const { return blockLength_; }
  const PitchMapping& Mapping() const { return mapping_; }
  std::size_t HeapBytes() const { return line_ ? sizeof(double) * length_ : 0; }

 private:
  // Modes from here on are heard without the dry signal.
  static constexpr int kFirstShiftOnlyMode = 9;

  template <bool kInterpolate>
  double Step(double x, double dry);
  void CheckPedal();

  std::unique_ptr<double[]> line_;
  int length_ = 0;
  int writeIndex_ = 0;
  double phase1_ = 0.0;
  double phase2_ = 0.5;
  double triangle_ = 0.0;
  double depth_ = 0.0;
  double depthStep_ = 0.0;
  int blockLength_ = 0;
  int sampleCount_ = 0;

  int mode_ = 0;
  double pedal_ = 0.0;
  double lastPedalSeen_ = -1.0;
  double sampleRate_ = 44100.0;
  PitchMapping mapping_;
};

inline void PitchEngine::CheckPedal() {
  depthStep_ = 0.0;
  if (pedal_ != lastPedalSeen_) {
    lastPedalSeen_ = pedal_;
    ApplyModeMapping();
    depthStep_ = (mapping_.targetDepth - depth_) / blockLength_;
  }
  sampleCount_ = 0;
}

template <bool kInterpolate>
double PitchEngine::Step(double x, double dry) {
  if (sampleCount_ >= blockLength_) CheckPedal();
  depth_ = depth_ + depthStep_;
  ++sampleCount_;

  phase2_ = phase2_ + mapping_.phaseIncrement;
  phase1_ = phase1_ + mapping_.phaseIncrement;
  if (phase1_ > 1.0) {
    phase1_ = 0.0;
    phase2_ = 0.5;
    triangle_ = 0.0 + mapping_.doubleIncrement;
  } else {
    if (phase2_ > 1.0) phase2_ = 0.0;
    if (phase1_ > 0.5) {
      triangle_ = triangle_ - mapping_.doubleIncrement;
    } else {
      triangle_ = triangle_ + mapping_.doubleIncrement;
    }
  }

  const double e1 = (phase1_ - 0.5) * mapping_.direction + 0.5;
  const double e2 = (phase2_ - 0.5) * mapping_.direction + 0.5;
  const double position1 = (1.0 - e1 * depth_) * length_;
  const double position2 = (1.0 - e2 * depth_) * length_;

  line_[writeIndex_] = x;

  // Positions lie within 0.75 L .. L and the write index below L, so one
  // subtraction does what a remainder would.
  const auto wrap = [this](int i) { return i >= length_ ? i - length_ : i; };
  const auto read = [&](double position) {
    const int offset = static_cast<int>(position);
    const int i = wrap(writeIndex_ + offset);
    if constexpr (kInterpolate) {
      // position is positive, so truncation is the floor.
      const double f = position - offset;
      return (1.0 - f) * line_[i] + f * line_[wrap(i + 1)];
    } else {
      return line_[i];
    }
  };
  const double tap1 = read(position1);
  const double tap2 = read(position2);

  writeIndex_ = wrap(writeIndex_ + 1);

  const double weight = triangle_ > 1.0 ? 1.0 : (triangle_ < 0.0 ? 0.0 : triangle_);
  double y = (1.0 - weight) * tap2 + weight * tap1;
  if (mode_ < kFirstShiftOnlyMode) y = y + dry;
  return y;
}
