// Single-precision routing of a 1024-frame stereo block through the plug-in
// base (convert in, pass-through ProcessAudio, convert out) against the floor:
// a plain float-to-double-and-back copy of the same data.

#include <benchmark/benchmark.h>

#include <vector>

#include "tests/core/TestProcessor.h"

namespace {

constexpr int kFrames = 1024;

// The base's own pass-through ProcessAudio, every channel connected.
class PassThroughPlug : public StubbedProcessor {
 public:
  PassThroughPlug()
      : StubbedProcessor(0, "1-1 2-2", 0, "bench", "", "", 0, 0, 0, 0, false, false, false) {
    ConnectInputs(0, NInputs(), true);
    ConnectOutputs(0, NOutputs(), true);
    SetBlockSize(kFrames);
  }
};

struct StereoBlock {
  StereoBlock() {
    for (int j = 0; j < kFrames; ++j) {
      in[0][static_cast<size_t>(j)] = static_cast<float>(j) * 1e-3f;
      in[1][static_cast<size_t>(j)] = -static_cast<float>(j) * 1e-3f;
    }
  }
  std::vector<float> in[2] = {std::vector<float>(kFrames), std::vector<float>(kFrames)};
  std::vector<float> out[2] = {std::vector<float>(kFrames), std::vector<float>(kFrames)};
  float* ins[2] = {in[0].data(), in[1].data()};
  float* outs[2] = {out[0].data(), out[1].data()};
};

void BM_CopyFloor(benchmark::State& state) {
  StereoBlock block;
  std::vector<double> scratch(kFrames);
  for (auto _ : state) {
    for (int c = 0; c < 2; ++c) {
      for (int j = 0; j < kFrames; ++j) scratch[static_cast<size_t>(j)] = block.ins[c][j];
      for (int j = 0; j < kFrames; ++j) {
        block.outs[c][j] = static_cast<float>(scratch[static_cast<size_t>(j)]);
      }
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kFrames * 2);
}
BENCHMARK(BM_CopyFloor);

// The floor of the accumulating form: the same copy, adding into the output.
void BM_AccumulateFloor(benchmark::State& state) {
  StereoBlock block;
  std::vector<double> scratch(kFrames);
  for (auto _ : state) {
    for (int c = 0; c < 2; ++c) {
      for (int j = 0; j < kFrames; ++j) scratch[static_cast<size_t>(j)] = block.ins[c][j];
      for (int j = 0; j < kFrames; ++j) {
        block.outs[c][j] = block.outs[c][j] + static_cast<float>(scratch[static_cast<size_t>(j)]);
      }
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kFrames * 2);
}
BENCHMARK(BM_AccumulateFloor);

void BM_RoutingReplacing(benchmark::State& state) {
  PassThroughPlug plug;
  StereoBlock block;
  for (auto _ : state) {
    plug.ProcessFloatBlock(block.ins, block.outs, kFrames, false);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kFrames * 2);
}
BENCHMARK(BM_RoutingReplacing);

void BM_RoutingAccumulating(benchmark::State& state) {
  PassThroughPlug plug;
  StereoBlock block;
  for (auto _ : state) {
    plug.ProcessFloatBlock(block.ins, block.outs, kFrames, true);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kFrames * 2);
}
BENCHMARK(BM_RoutingAccumulating);

}  // namespace

BENCHMARK_MAIN();
