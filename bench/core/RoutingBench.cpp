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

// The floor: a plain float-to-double-and-back copy of the same data, adding
// into the output for the accumulating form.
void BM_CopyFloor(benchmark::State& state) {
  const bool accumulate = state.range(0) != 0;
  StereoBlock block;
  std::vector<double> scratch(kFrames);
  for (auto _ : state) {
    for (int c = 0; c < 2; ++c) {
      for (int j = 0; j < kFrames; ++j) scratch[static_cast<size_t>(j)] = block.ins[c][j];
      float* out = block.outs[c];
      if (accumulate) {
        for (int j = 0; j < kFrames; ++j) {
          out[j] = out[j] + static_cast<float>(scratch[static_cast<size_t>(j)]);
        }
      } else {
        for (int j = 0; j < kFrames; ++j)
          out[j] = static_cast<float>(scratch[static_cast<size_t>(j)]);
      }
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kFrames * 2);
}
BENCHMARK(BM_CopyFloor)->ArgName("accumulate")->Arg(0)->Arg(1);

void BM_Routing(benchmark::State& state) {
  const bool accumulate = state.range(0) != 0;
  PassThroughPlug plug;
  StereoBlock block;
  for (auto _ : state) {
    plug.ProcessFloatBlock(block.ins, block.outs, kFrames, accumulate);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kFrames * 2);
}
BENCHMARK(BM_Routing)->ArgName("accumulate")->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
