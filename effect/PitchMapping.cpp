#include "effect/PitchMapping.h"

#include <cmath>
#include <iterator>

#include "effect/RoundedMath.h"

namespace {

// The twelfth root of 2 rounded to ten decimals; every shift uses it.
constexpr double kSemitone = 1.0594630944;

// Shift in semitones b = slope x pedal + offset; window rate factor r.
struct ModeInterval {
  double slope;
  double offset;
  double rateFactor;
};

constexpr ModeInterval kModes[] = {
    {24.0, -12.0, 6.0},  // octave down to octave up
    {2.0, -7.0, 3.0},    // fifth down to fourth down
    {2.0, -5.0, 3.0},    // fourth down to minor third down
    {5.0, 5.0, 5.0},     // fourth up to minor seventh up
    {2.0, 7.0, 3.0},     // fifth up to major sixth up
    {2.0, 5.0, 3.0},     // fourth up to fifth up
    {1.0, 4.0, 3.0},     // major third up to fourth up
    {1.0, 3.0, 3.0},     // minor third up to major third up
    {2.0, 2.0, 3.0},     // major second up to major third up
    {24.0, 0.0, 9.0},    // unison to two octaves up
    {12.0, 0.0, 6.0},    // unison to octave up
    {-24.0, 0.0, 6.0},   // unison to two octaves down
    {-12.0, 0.0, 4.0},   // unison to octave down
    {-2.0, 0.0, 3.0},    // unison to a whole tone down
};
static_assert(std::size(kModes) == kPitchModes);

}  // namespace

bool ComputePitchMapping(int mode, double pedal, double sampleRate, PitchMapping& mapping) {
  if (mode < 0 || mode >= kPitchModes) return false;
  const ModeInterval& m = kModes[mode];
  const double b = m.slope * pedal + m.offset;
  const double a = ((b + 12.0) / 24.0 + 1.0) * m.rateFactor;
  mapping.windowRateHz = a;
  mapping.targetDepth = std::fabs((PowRounded(kSemitone, b) - 1.0) * (1.0 / a));
  mapping.direction = b < 0.0 ? 1.0 : -1.0;
  mapping.phaseIncrement = a / sampleRate;
  mapping.doubleIncrement = mapping.phaseIncrement * 2.0;
  return true;
}
