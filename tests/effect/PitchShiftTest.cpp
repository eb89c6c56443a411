// The frequency a shifted sine comes out at, measured precisely.
//
// Each tap plays at 1.0594630944^b times the input speed, but the output is
// the input phase-modulated by a pattern that repeats every half window
// period (the two taps are alike half a period apart, and the crossfade
// treats them alike). Its spectrum therefore holds only the lines
// input + k x 2a (a = window rate, fs / period in whole samples), and the
// crossfade, which passes from one tap to the other the short way round the
// phase circle, puts the energy on the line nearest the ideal pitch. So a
// shifted sine lands up to a (3 to 22.5 Hz) away from the ideal interval:
// 220 Hz an octave up comes out at 436 Hz, not 440.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdio>
#include <numbers>
#include <vector>

#include "tests/effect/EffectFixture.h"

namespace {

using Signal = std::vector<double>;

constexpr double kRate = 44100.0;

Signal Sine(size_t n, double hz) {
  Signal s(n);
  for (size_t i = 0; i < n; ++i) s[i] = 0.5 * std::sin(2.0 * std::numbers::pi * hz * i / kRate);
  return s;
}

// Magnitude of the spectrum of the windowed signal at hz.
double MagnitudeAt(const Signal& windowed, double hz) {
  const std::complex<double> turn = std::polar(1.0, -2.0 * std::numbers::pi * hz / kRate);
  std::complex<double> phasor = 1.0, sum = 0.0;
  for (const double v : windowed) {
    sum += v * phasor;
    phasor *= turn;
  }
  return std::abs(sum);
}

// The strongest frequency of s[from..] within lowHz..highHz, to about a
// thousandth of a hertz: Hann window, a grid finer than the main lobe, then
// golden-section refinement.
double StrongestHz(const Signal& s, size_t from, double lowHz, double highHz) {
  Signal windowed(s.begin() + static_cast<std::ptrdiff_t>(from), s.end());
  const size_t n = windowed.size();
  for (size_t i = 0; i < n; ++i) {
    windowed[i] *= 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * static_cast<double>(i) / n);
  }
  const auto magnitude = [&windowed](double hz) { return MagnitudeAt(windowed, hz); };
  const double step = 0.1;
  double best = lowHz, bestMagnitude = -1.0;
  for (double hz = lowHz; hz <= highHz; hz += step) {
    const double m = magnitude(hz);
    if (m > bestMagnitude) bestMagnitude = m, best = hz;
  }
  const double golden = (std::sqrt(5.0) - 1.0) / 2.0;
  double lo = best - step, hi = best + step;
  while (hi - lo > 1e-4) {
    const double a = hi - golden * (hi - lo), b = lo + golden * (hi - lo);
    if (magnitude(a) > magnitude(b)) {
      hi = b;
    } else {
      lo = a;
    }
  }
  return (lo + hi) / 2.0;
}

// Samples from one sawtooth wrap to the next, as the engine's phase counts.
int WindowPeriodSamples(double phaseIncrement) {
  double phase = 0.0;
  int n = 0;
  do {
    phase = phase + phaseIncrement;
    ++n;
  } while (!(phase > 1.0));
  return n;
}

struct ShiftCase {
  const char* name;
  int mode;
  double pedal;
  double inputHz;
};

TEST(PitchShift, ShiftedSineLandsOnTheLineNearestTheInterval) {
  const ShiftCase cases[] = {
      {"octave up, 220 Hz", 10, 1.0, 220.0},         {"octave up, 110 Hz", 10, 1.0, 110.0},
      {"octave up, 330 Hz", 10, 1.0, 330.0},         {"two octaves down", 11, 1.0, 880.0},
      {"octave down, 1 kHz", 12, 1.0, 1000.0},       {"octave down, 440 Hz", 12, 1.0, 440.0},
      {"whole tone down", 13, 1.0, 440.0},           {"fifth down (harmony)", 1, 0.0, 440.0},
      {"minor seventh up (harmony)", 3, 1.0, 330.0},
  };
  for (const ShiftCase& c : cases) {
    TestEffect fx;
    fx.Open(kRate);
    fx.SetParam(CorvalentEffect::kParamDistortion, 0.0);
    fx.SetParam(CorvalentEffect::kParamMode, c.mode / 13.0 + 1e-9);
    fx.SetParam(CorvalentEffect::kParamPedal, c.pedal);
    const size_t n = 4 * 44100;
    const Signal out = fx.Run(Sine(n, c.inputHz), Signal(n, 0.0));

    const PitchMapping& m = fx.Pitch().Mapping();
    // The taps' speed: 1 - direction x depth x a, that is 1.0594630944^b.
    const double idealHz = c.inputHz * (1.0 - m.direction * m.targetDepth * m.windowRateHz);
    const double spacingHz = 2.0 * kRate / WindowPeriodSamples(m.phaseIncrement);
    const double lineHz = c.inputHz + spacingHz * std::round((idealHz - c.inputHz) / spacingHz);
    // Past the first two control blocks the depth is at its target.
    const double measuredHz =
        StrongestHz(out, 4096, idealHz - spacingHz * 0.75, idealHz + spacingHz * 0.75);
    std::printf("%-28s ideal %9.3f  line %9.3f  measured %9.3f Hz (%+.1f cents from ideal)\n",
                c.name, idealHz, lineHz, measuredHz, 1200.0 * std::log2(measuredHz / idealHz));
    EXPECT_NEAR(measuredHz, lineHz, 0.01) << c.name;
    if (c.mode >= 9) {
      // Without the dry signal the input's own frequency is all but gone.
      const Signal tail(out.begin() + 4096, out.end());
      EXPECT_GT(MagnitudeAt(tail, lineHz), 10.0 * MagnitudeAt(tail, c.inputHz)) << c.name;
    }
  }
}

}  // namespace
