#pragma once

// The effect's 32 biquad slots as structure of arrays, so that the cascades
// run slots by index over contiguous coefficients and states.

// The last two inputs and outputs of a slot.
struct BiquadState {
  double x1 = 0.0;
  double x2 = 0.0;
  double y1 = 0.0;
  double y2 = 0.0;
};

struct BiquadCoefficients {
  double b0 = 0.0;
  double b1 = 0.0;
  double b2 = 0.0;
  double a1 = 0.0;
  double a2 = 0.0;
};

class BiquadBank {
 public:
  static constexpr int kSlots = 32;
  // Every recursive stage passes this on with its output, against denormals.
  static constexpr double kDenormalOffset = 1e-20;
  static constexpr double kTinyState = 1e-40;

  // Zeroes every coefficient and state.
  void Clear();
  // Replaces a slot's coefficients; its state is kept.
  void SetCoefficients(int slot, const BiquadCoefficients& c);
  BiquadCoefficients Coefficients(int slot) const;
  BiquadState State(int slot) const { return {x1_[slot], x2_[slot], y1_[slot], y2_[slot]}; }

  // Sets output states below kTinyState in magnitude to zero. A stage fed
  // exact silence (the input filters) or a constant (the high-pass after the
  // band clip) decays towards zero and, through rounding, ends in a cycle of
  // subnormal numbers that slows every operation on them; the offset on the
  // stage's output does not reach its own state. Once per block is enough to
  // stop that, and the threshold lies far below anything an output can show:
  // each stage passes on its output plus 1e-20, whose last bit is 1.5e-36.
  void FlushTinyStates();

  // Runs one slot on one sample and returns its output plus the offset. The
  // state keeps the output itself and the input exactly as received.
  double Run(int slot, double x) {
    const double y = b0_[slot] * x + b1_[slot] * x1_[slot] + b2_[slot] * x2_[slot] -
                     a1_[slot] * y1_[slot] - a2_[slot] * y2_[slot];
    x2_[slot] = x1_[slot];
    x1_[slot] = x;
    y2_[slot] = y1_[slot];
    y1_[slot] = y;
    return y + kDenormalOffset;
  }

  // Runs slots first..last in series on every sample of `samples`, in place;
  // the same results as Run on each sample and slot in turn. The slots are
  // worked in groups over the block, each group as a wavefront (its stage j
  // on sample n - j, two stages to a vector register) so that the processor
  // overlaps the stages instead of waiting on each in turn.
  void RunSeries(int first, int last, double* samples, int count);

 private:
  static constexpr int kPairsPerGroup = 3;

  template <int kPairs>
  void RunGroup(int first, int stages, double* samples, int count);

  double b0_[kSlots] = {};
  double b1_[kSlots] = {};
  double b2_[kSlots] = {};
  double a1_[kSlots] = {};
  double a2_[kSlots] = {};
  double x1_[kSlots] = {};
  double x2_[kSlots] = {};
  double y1_[kSlots] = {};
  double y2_[kSlots] = {};
};
