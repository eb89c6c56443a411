#include "effect/FilterDesign.h"

#include <cmath>
#include <numbers>

#include "effect/RoundedMath.h"

namespace {

// The angle, its sine and cosine, and the bandwidth term shared by the forms.
struct Angle {
  double w;
  double s;
  double c;
};

Angle AngleOf(double frequencyHz, double sampleRate) {
  const double w = 2.0 * std::numbers::pi * frequencyHz / sampleRate;
  return {w, SinRounded(w), CosRounded(w)};
}

double BandwidthAlpha(const Angle& a, double bandwidthOct) {
  const double k = std::numbers::ln2 / 2.0 * bandwidthOct;
  return a.s * SinhRounded(k * a.w / a.s);
}

double ShelfAmplitude(double gainDb) {
  return PowRounded(10.0, gainDb / 40.0);
}

}  // namespace

BiquadCoefficients DesignLowPass(double cutoffHz, double bandwidthOct, double sampleRate) {
  const Angle a = AngleOf(cutoffHz, sampleRate);
  const double alpha = BandwidthAlpha(a, bandwidthOct);
  const double a0 = 1.0 + alpha;
  return {(1.0 - a.c) * 0.5 / a0, (1.0 - a.c) / a0, (1.0 - a.c) * 0.5 / a0, -2.0 * a.c / a0,
          (1.0 - alpha) / a0};
}

BiquadCoefficients DesignHighPass(double cutoffHz, double bandwidthOct, double sampleRate) {
  const Angle a = AngleOf(cutoffHz, sampleRate);
  const double alpha = BandwidthAlpha(a, bandwidthOct);
  const double a0 = 1.0 + alpha;
  return {(1.0 + a.c) * 0.5 / a0, -(1.0 + a.c) / a0, (1.0 + a.c) * 0.5 / a0, -2.0 * a.c / a0,
          (1.0 - alpha) / a0};
}

BiquadCoefficients DesignPeaking(double centreHz, double bandwidthOct, double gainDb,
                                 double sampleRate) {
  const Angle a = AngleOf(centreHz, sampleRate);
  const double alpha = BandwidthAlpha(a, bandwidthOct);
  const double amp = ShelfAmplitude(gainDb);
  const double a0 = 1.0 + alpha / amp;
  return {(1.0 + alpha * amp) / a0, -2.0 * a.c / a0, (1.0 - alpha * amp) / a0, -2.0 * a.c / a0,
          (1.0 - alpha / amp) / a0};
}

BiquadCoefficients DesignHighShelf(double cornerHz, double gainDb, double sampleRate) {
  const Angle a = AngleOf(cornerHz, sampleRate);
  const double amp = ShelfAmplitude(gainDb);
  const double b = std::sqrt(2.0 * amp) * a.s;
  const double a0 = (amp + 1.0) - (amp - 1.0) * a.c + b;
  return {amp * ((amp + 1.0) + (amp - 1.0) * a.c + b) / a0,
          -2.0 * amp * ((amp - 1.0) + (amp + 1.0) * a.c) / a0,
          amp * ((amp + 1.0) + (amp - 1.0) * a.c - b) / a0,
          2.0 * ((amp - 1.0) - (amp + 1.0) * a.c) / a0, ((amp + 1.0) - (amp - 1.0) * a.c - b) / a0};
}

BiquadCoefficients DesignLowShelfModified(double cornerHz, double gainDb, double sampleRate) {
  constexpr double kCosineScale = static_cast<double>(0.41f);
  constexpr double kRootDivisor = static_cast<double>(1.41f);
  const Angle a = AngleOf(cornerHz, sampleRate);
  const double amp = ShelfAmplitude(gainDb);
  const double c = CosRounded(kCosineScale * a.w);
  const double b = std::sqrt(amp) * a.s / kRootDivisor;
  const double a0 = (amp + 1.0) + (amp - 1.0) * c + b;
  return {amp * ((amp + 1.0) - (amp - 1.0) * c + b) / a0,
          2.0 * amp * ((amp - 1.0) - (amp + 1.0) * c) / a0,
          amp * ((amp + 1.0) - (amp - 1.0) * c - b) / a0,
          -2.0 * ((amp - 1.0) + (amp + 1.0) * c) / a0, ((amp + 1.0) + (amp - 1.0) * c - b) / a0};
}
