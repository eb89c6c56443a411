// Prints what the binding costs; never fails.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "effect/CorvalentEffect.h"
#include "framework/vst/VSTPluginMain.h"
#ifdef CORVALENT_MODULE_PATH
#include "tools/HostPlatform.h"
#endif

namespace {

vst::VstIntPtr SilentHost(vst::AEffect*, vst::VstInt32 opcode, vst::VstInt32, vst::VstIntPtr,
                          void* ptr, float) {
  if (opcode == vst::audioMasterGetProductString && ptr != nullptr) {
    std::strcpy(static_cast<char*>(ptr), "vst_bench");
  }
  return 0;
}

vst::VstIntPtr Dispatch(vst::AEffect* e, vst::VstInt32 opcode, vst::VstInt32 index = 0,
                        vst::VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f) {
  return e->dispatcher(e, opcode, index, value, ptr, opt);
}

// What a host does before the first block.
void OpenAndStart(vst::AEffect* e, int blockSize) {
  Dispatch(e, vst::effOpen);
  Dispatch(e, vst::effSetSampleRate, 0, 0, nullptr, 48000.0f);
  Dispatch(e, vst::effSetBlockSize, 0, blockSize);
  Dispatch(e, vst::effMainsChanged, 0, 1);
}

// Resident memory of this process in bytes, where the system tells it.
long ResidentBytes() {
  std::FILE* status = std::fopen("/proc/self/statm", "r");
  if (status == nullptr) return 0;
  long pages = 0;
  long resident = 0;
  const int read = std::fscanf(status, "%ld %ld", &pages, &resident);
  std::fclose(status);
  return read == 2 ? resident * 4096 : 0;
}

void BM_CreateOpenClose(benchmark::State& state) {
  for (auto _ : state) {
    vst::AEffect* e = VSTPluginMain(&SilentHost);
    OpenAndStart(e, 1024);
    Dispatch(e, vst::effClose);
  }
}
BENCHMARK(BM_CreateOpenClose)->Unit(benchmark::kMicrosecond);

#ifdef CORVALENT_MODULE_PATH
// A first instance: the module file is loaded for it and unloaded after.
void BM_LoadModuleCreateOpenClose(benchmark::State& state) {
  for (auto _ : state) {
    std::string error;
    std::unique_ptr<render::PluginModule> module =
        render::LoadPluginModule(CORVALENT_MODULE_PATH, error);
    if (!module) {
      state.SkipWithError(error.c_str());
      return;
    }
    vst::AEffect* e = module->EntryPoint()(&SilentHost);
    OpenAndStart(e, 1024);
    Dispatch(e, vst::effClose);
  }
}
BENCHMARK(BM_LoadModuleCreateOpenClose)->Unit(benchmark::kMicrosecond);
#endif

// Sixteen instances open and running at 48 kHz at once; the counter is the
// resident memory each one adds.
void BM_SixteenInstancesMemory(benchmark::State& state) {
  constexpr int kInstances = 16;
  double perInstance = 0.0;
  for (auto _ : state) {
    const long before = ResidentBytes();
    vst::AEffect* effects[kInstances];
    std::vector<float> buffer(1024, 0.1f);
    float* channels[2] = {buffer.data(), buffer.data()};
    for (vst::AEffect*& e : effects) {
      e = VSTPluginMain(&SilentHost);
      OpenAndStart(e, 1024);
      // Touch every buffer an instance uses, as a running host would.
      for (int i = 0; i < 64; ++i) e->processReplacing(e, channels, channels, 1024);
    }
    const long after = ResidentBytes();
    for (vst::AEffect* e : effects) Dispatch(e, vst::effClose);
    perInstance = static_cast<double>(after - before) / kInstances;
  }
  state.counters["bytes_per_instance"] = perInstance;
  state.counters["MB_for_16"] = perInstance * kInstances / (1024.0 * 1024.0);
}
BENCHMARK(BM_SixteenInstancesMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

// A guitar-like block for every processing benchmark.
std::vector<float> Tone(int frames) {
  std::vector<float> tone(static_cast<size_t>(frames));
  for (int i = 0; i < frames; ++i)
    tone[static_cast<size_t>(i)] = 0.3f * static_cast<float>((i * 37) % 200 - 100) / 100.0f;
  return tone;
}

// The host's call: single-precision buffers through the binding.
void BM_ProcessReplacing(benchmark::State& state) {
  const int frames = static_cast<int>(state.range(0));
  vst::AEffect* e = VSTPluginMain(&SilentHost);
  OpenAndStart(e, frames);
  std::vector<float> in = Tone(frames), outLeft(in.size()), outRight(in.size());
  float* ins[2] = {in.data(), in.data()};
  float* outs[2] = {outLeft.data(), outRight.data()};
  for (auto _ : state) {
    e->processReplacing(e, ins, outs, frames);
    benchmark::DoNotOptimize(outLeft.data());
  }
  state.SetItemsProcessed(state.iterations() * frames);
  Dispatch(e, vst::effClose);
}
BENCHMARK(BM_ProcessReplacing)->Arg(64)->Arg(256)->Arg(1024);

void BM_ProcessDoubleReplacing(benchmark::State& state) {
  const int frames = static_cast<int>(state.range(0));
  vst::AEffect* e = VSTPluginMain(&SilentHost);
  OpenAndStart(e, frames);
  const std::vector<float> tone = Tone(frames);
  std::vector<double> in(tone.begin(), tone.end()), outLeft(in.size()), outRight(in.size());
  double* ins[2] = {in.data(), in.data()};
  double* outs[2] = {outLeft.data(), outRight.data()};
  for (auto _ : state) {
    e->processDoubleReplacing(e, ins, outs, frames);
    benchmark::DoNotOptimize(outLeft.data());
  }
  state.SetItemsProcessed(state.iterations() * frames);
  Dispatch(e, vst::effClose);
}
BENCHMARK(BM_ProcessDoubleReplacing)->Arg(64)->Arg(256)->Arg(1024);

// The same work without the binding: the effect's own processing hook.
void BM_DirectProcessAudio(benchmark::State& state) {
  const int frames = static_cast<int>(state.range(0));
  vst::AEffect* e = VSTPluginMain(&SilentHost);
  OpenAndStart(e, frames);
  auto* effect = static_cast<CorvalentEffect*>(IProcessorVST::FromEffect(e));
  const std::vector<float> tone = Tone(frames);
  std::vector<double> in(tone.begin(), tone.end()), outLeft(in.size()), outRight(in.size());
  double* ins[2] = {in.data(), in.data()};
  double* outs[2] = {outLeft.data(), outRight.data()};
  for (auto _ : state) {
    effect->ProcessAudio(ins, outs, frames);
    benchmark::DoNotOptimize(outLeft.data());
  }
  state.SetItemsProcessed(state.iterations() * frames);
  Dispatch(e, vst::effClose);
}
BENCHMARK(BM_DirectProcessAudio)->Arg(64)->Arg(256)->Arg(1024);

// A host saving and restoring a program: effGetChunk, then effSetChunk.
void BM_ChunkRoundTrip(benchmark::State& state) {
  vst::AEffect* e = VSTPluginMain(&SilentHost);
  OpenAndStart(e, 1024);
  std::vector<char> saved(64);
  for (auto _ : state) {
    void* data = nullptr;
    const vst::VstIntPtr size = Dispatch(e, vst::effGetChunk, 1, 0, &data);
    std::memcpy(saved.data(), data, static_cast<size_t>(size));
    benchmark::DoNotOptimize(Dispatch(e, vst::effSetChunk, 1, size, saved.data()));
  }
  Dispatch(e, vst::effClose);
}
BENCHMARK(BM_ChunkRoundTrip);

}  // namespace

BENCHMARK_MAIN();
