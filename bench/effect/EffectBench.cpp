// Time per sample and realtime factor at 44100 Hz, 1024-frame stereo blocks:
// the four routings of the effect on a guitar-like signal, on noise and on
// silence after a signal (where decaying filter states would turn subnormal),
// and on that silence again with the processor flushing subnormal numbers to
// zero (equal times show that none are left), and beside them the drive path run sample by sample,
// every stage in turn, as the plain reference.
#include <benchmark/benchmark.h>
#include <xmmintrin.h>

#include <cmath>
#include <random>
#include <vector>

#include "effect/DrivePath.h"
#include "effect/LevelLaw.h"
#include "tests/effect/EffectFixture.h"

namespace {

constexpr int kFrames = 1024;
constexpr double kRate = 44100.0;

std::vector<double> Guitar() {
  std::vector<double> s(kFrames);
  for (int i = 0; i < kFrames; ++i) {
    s[i] = 0.3 * std::sin(i * 0.0371) + 0.1 * std::sin(i * 0.251) + 0.02 * std::sin(i * 1.3);
  }
  return s;
}

enum SignalKind : int { kGuitar, kNoise, kSilence, kSilenceFlushToZero };

// Flush-to-zero and denormals-are-zero, for the benchmark thread only.
constexpr unsigned kFlushToZeroBits = 0x8040;

std::vector<double> Noise() {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> sample(-0.5, 0.5);
  std::vector<double> s(kFrames);
  for (double& v : s) v = sample(random);
  return s;
}

void ReportPerSample(benchmark::State& state) {
  const double samples = static_cast<double>(state.iterations()) * kFrames;
  state.counters["ns_per_sample"] =
      benchmark::Counter(samples * 1e-9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["x_realtime"] = benchmark::Counter(samples / kRate, benchmark::Counter::kIsRate);
}

// Arguments: routing (bit 1 drive on, bit 0 pitch on), signal kind.
void BM_Effect(benchmark::State& state) {
  TestEffect fx;
  fx.Open(kRate);
  fx.SetParam(CorvalentEffect::kParamDistortion, (state.range(0) & 2) ? 1.0 : 0.0);
  fx.SetParam(CorvalentEffect::kParamPitchSwitch, (state.range(0) & 1) ? 1.0 : 0.0);
  fx.SetParam(CorvalentEffect::kParamPedal, 0.8);
  std::vector<double> in0 = state.range(1) == kNoise ? Noise() : Guitar();
  std::vector<double> in1(kFrames, 0.0), out0(kFrames), out1(kFrames);
  double* ins[2] = {in0.data(), in1.data()};
  double* outs[2] = {out0.data(), out1.data()};
  if (state.range(1) >= kSilence) {
    // Two seconds of signal and two of silence: the states have decayed.
    for (int block = 0; block < 172; ++block) {
      if (block == 86) in0.assign(kFrames, 0.0);
      fx.ProcessAudio(ins, outs, kFrames);
    }
  }
  const unsigned csr = _mm_getcsr();
  if (state.range(1) == kSilenceFlushToZero) _mm_setcsr(csr | kFlushToZeroBits);
  for (auto _ : state) {
    fx.ProcessAudio(ins, outs, kFrames);
    benchmark::DoNotOptimize(out0.data());
  }
  _mm_setcsr(csr);
  ReportPerSample(state);
}
BENCHMARK(BM_Effect)
    ->ArgNames({"drive_pitch", "guitar_noise_silence_ftz"})
    ->ArgsProduct({{0, 1, 2, 3}, {kGuitar, kNoise, kSilence, kSilenceFlushToZero}});

DrivePath DesignedDrivePath() {
  DrivePath path;
  path.Design(kRate, 0.5);
  path.SetDriveAmount(0.5);
  path.SetLevelGain(LevelGain(0.5));
  return path;
}

void BM_DrivePathPerSampleReference(benchmark::State& state) {
  DrivePath path = DesignedDrivePath();
  const std::vector<double> in = Guitar();
  std::vector<double> out(kFrames);
  for (auto _ : state) {
    for (int i = 0; i < kFrames; ++i) out[i] = path.ProcessSample(in[i]);
    benchmark::DoNotOptimize(out.data());
  }
  ReportPerSample(state);
}
BENCHMARK(BM_DrivePathPerSampleReference);

void BM_DrivePathBlock(benchmark::State& state) {
  DrivePath path = DesignedDrivePath();
  const std::vector<double> in = Guitar();
  std::vector<double> buffer(kFrames);
  for (auto _ : state) {
    buffer = in;
    path.ProcessBlock(buffer.data(), kFrames);
    benchmark::DoNotOptimize(buffer.data());
  }
  ReportPerSample(state);
}
BENCHMARK(BM_DrivePathBlock);

// The tone pair and voicing alone (21 biquads): one slot after another per
// sample, against the pipelined series.
void BM_TwentyOneBiquads(benchmark::State& state) {
  DrivePath path = DesignedDrivePath();
  BiquadBank bank = path.Biquads();
  const std::vector<double> in = Guitar();
  std::vector<double> buffer(kFrames);
  const bool series = state.range(0) != 0;
  for (auto _ : state) {
    buffer = in;
    if (series) {
      bank.RunSeries(9, 29, buffer.data(), kFrames);
    } else {
      for (double& v : buffer) {
        for (int slot = 9; slot <= 29; ++slot) v = bank.Run(slot, v);
      }
    }
    benchmark::DoNotOptimize(buffer.data());
  }
  ReportPerSample(state);
}
BENCHMARK(BM_TwentyOneBiquads)->ArgName("series")->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
