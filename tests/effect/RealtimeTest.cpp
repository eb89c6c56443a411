// Counts every allocation made through operator new in this test binary, so
// that processing can be shown to allocate nothing and the heap held by an
// instance can be measured.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <vector>

#include "tests/effect/EffectFixture.h"

namespace {

std::atomic<long long> gAllocations{0};
std::atomic<long long> gLiveBytes{0};
// Room before each block for its size, keeping the block max-aligned.
constexpr std::size_t kHeader = alignof(std::max_align_t);

}  // namespace

void* operator new(std::size_t size) {
  auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
  if (!block) throw std::bad_alloc();
  *reinterpret_cast<std::size_t*>(block) = size;
  ++gAllocations;
  gLiveBytes += static_cast<long long>(size);
  return block + kHeader;
}

void operator delete(void* p) noexcept {
  if (!p) return;
  auto* block = static_cast<unsigned char*>(p) - kHeader;
  gLiveBytes -= static_cast<long long>(*reinterpret_cast<std::size_t*>(block));
  std::free(block);
}

void operator delete(void* p, std::size_t) noexcept {
  operator delete(p);
}

namespace {

TEST(EffectRealtime, ProcessingAllocatesNothingAndHoldsNoMoreHeap) {
  std::vector<double> in0(1024), in1(1024), out0(1024), out1(1024);
  for (size_t i = 0; i < in0.size(); ++i) in0[i] = in1[i] = (i % 50) / 50.0 - 0.5;
  double* ins[2] = {in0.data(), in1.data()};
  double* outs[2] = {out0.data(), out1.data()};

  for (double rate : {44100.0, 48000.0, 96000.0}) {
    const long long before = gLiveBytes;
    auto* fx = new TestEffect;
    fx->AttachFakeEditor();
    const long long constructed = gLiveBytes;
    fx->Open(rate);
    const long long setUp = gLiveBytes;
    const long long allocationsBefore = gAllocations;
    for (int block = 0; block < 200; ++block) {  // several seconds, pedal checks included
      fx->SetParam(CorvalentEffect::kParamPedal, (block % 7) / 7.0);
      fx->SetParam(CorvalentEffect::kParamDistortion, block % 3 != 0);
      fx->SetParam(CorvalentEffect::kParamPitchSwitch, block % 2);
      fx->ProcessAudio(ins, outs, 1024);
    }
    EXPECT_EQ(gAllocations - allocationsBefore, 0) << rate;
    EXPECT_EQ(gLiveBytes, setUp) << rate;
    std::printf(
        "heap through operator new at %.0f Hz: instance %lld bytes after construction "
        "(object %zu), %lld after set-up (delay line %zu)\n",
        rate, constructed - before, sizeof(TestEffect), setUp - before, fx->Pitch().HeapBytes());
    EXPECT_LE(static_cast<std::size_t>(setUp - before),
              fx->Pitch().HeapBytes() + sizeof(TestEffect) + 16384);
    delete fx;
  }
}

}  // namespace
