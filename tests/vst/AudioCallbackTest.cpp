#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <thread>
#include <vector>

#include "framework/vst/IProcessorVST.h"
#include "framework/vst/VSTPluginMain.h"
#include "tests/vst/FakeHost.h"

namespace {

// A guitar-like test tone: a decaying mix of partials, deterministic.
std::vector<float> TestTone(size_t frames, double phase) {
  std::vector<float> tone(frames);
  for (size_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / 48000.0;
    tone[i] = static_cast<float>(0.4 * std::sin(2.0 * 3.141592653589793 * 110.0 * t + phase) +
                                 0.2 * std::sin(2.0 * 3.141592653589793 * 330.0 * t));
  }
  return tone;
}

// Renders a stereo tone through processReplacing in blocks of blockFrames.
std::vector<float> RenderReplacing(FakeHost& host, const std::vector<float>& left,
                                   const std::vector<float>& right, size_t blockFrames) {
  std::vector<float> out(left.size() * 2);
  std::vector<float> outLeft(left.size()), outRight(left.size());
  for (size_t at = 0; at < left.size(); at += blockFrames) {
    const size_t n = std::min(blockFrames, left.size() - at);
    float* in[2] = {const_cast<float*>(left.data() + at), const_cast<float*>(right.data() + at)};
    float* outs[2] = {outLeft.data() + at, outRight.data() + at};
    host.effect->processReplacing(host.effect, in, outs, static_cast<vst::VstInt32>(n));
  }
  for (size_t i = 0; i < left.size(); ++i) {
    out[2 * i] = outLeft[i];
    out[2 * i + 1] = outRight[i];
  }
  return out;
}

TEST(AudioCallbacks, ThreeDeliveriesAgree) {
  const std::vector<float> left = TestTone(2048, 0.0);
  const std::vector<float> right = TestTone(2048, 1.0);
  FakeHost replacing(&VSTPluginMain);
  replacing.Start();
  const std::vector<float> reference = RenderReplacing(replacing, left, right, 512);

  FakeHost accumulating(&VSTPluginMain);
  accumulating.Start();
  FakeHost doubled(&VSTPluginMain);
  doubled.Start();
  std::vector<double> dLeft(left.begin(), left.end()), dRight(right.begin(), right.end());
  for (size_t at = 0; at < left.size(); at += 512) {
    std::vector<float> accLeft(512, 0.5f), accRight(512, 0.5f);
    float* in[2] = {const_cast<float*>(left.data() + at), const_cast<float*>(right.data() + at)};
    float* outs[2] = {accLeft.data(), accRight.data()};
    accumulating.effect->process(accumulating.effect, in, outs, 512);

    std::vector<double> outLeft(512), outRight(512);
    double* dIn[2] = {dLeft.data() + at, dRight.data() + at};
    double* dOut[2] = {outLeft.data(), outRight.data()};
    doubled.effect->processDoubleReplacing(doubled.effect, dIn, dOut, 512);

    for (size_t i = 0; i < 512; ++i) {
      const float expectedLeft = reference[2 * (at + i)];
      EXPECT_EQ(static_cast<float>(outLeft[i]), expectedLeft) << at + i;
      EXPECT_EQ(static_cast<float>(outRight[i]), reference[2 * (at + i) + 1]) << at + i;
      EXPECT_EQ(accLeft[i], 0.5f + expectedLeft) << at + i;
    }
  }
  double energy = 0.0;
  for (float s : reference) energy += static_cast<double>(s) * static_cast<double>(s);
  EXPECT_GT(energy, 1.0) << "the effect produced sound";
}

TEST(AudioCallbacks, FrameCountBeyondTheAnnouncedBlockIsServedInPieces) {
  const std::vector<float> left = TestTone(5000, 0.0);
  const std::vector<float> right = TestTone(5000, 0.5);
  FakeHost small(&VSTPluginMain);
  small.Start(48000.0, 64);
  const std::vector<float> oneCall = RenderReplacing(small, left, right, 5000);
  FakeHost reference(&VSTPluginMain);
  reference.Start(48000.0, 64);
  const std::vector<float> blocks = RenderReplacing(reference, left, right, 64);
  EXPECT_EQ(oneCall, blocks);
}

TEST(AudioCallbacks, EmptyOrNegativeFrameCountsDoNothing) {
  FakeHost host(&VSTPluginMain);
  host.Start();
  std::vector<float> buffer(8, 0.75f);
  std::vector<double> doubles(8, 0.75);
  float* channels[2] = {buffer.data(), buffer.data()};
  double* dChannels[2] = {doubles.data(), doubles.data()};
  for (vst::VstInt32 frames : {0, -1, -4096, std::numeric_limits<vst::VstInt32>::min()}) {
    host.effect->processReplacing(host.effect, channels, channels, frames);
    host.effect->process(host.effect, channels, channels, frames);
    host.effect->processDoubleReplacing(host.effect, dChannels, dChannels, frames);
    host.effect->processReplacing(host.effect, nullptr, nullptr, frames);
  }
  EXPECT_EQ(buffer, std::vector<float>(8, 0.75f));
  EXPECT_EQ(doubles, std::vector<double>(8, 0.75));
}

TEST(AudioCallbacks, MissingHostBuffersAreSilenceAndNotWritten) {
  FakeHost host(&VSTPluginMain);
  host.Start();
  std::vector<float> out(256, 9.0f);
  float* outs[2] = {out.data(), nullptr};
  host.effect->processReplacing(host.effect, nullptr, outs, 256);
  host.effect->processReplacing(host.effect, nullptr, nullptr, 256);
  float* ins[2] = {nullptr, nullptr};
  host.effect->processReplacing(host.effect, ins, outs, 256);
  // Silence in, silence out: only the filters' anti-denormal offsets remain.
  for (float s : out) ASSERT_LT(std::fabs(s), 1e-12f);
}

TEST(AudioCallbacks, WantsMidiOnEveryBlock) {
  FakeHost host(&VSTPluginMain);
  host.Start();
  host.calls.clear();
  std::vector<float> buffer(64);
  float* channels[2] = {buffer.data(), buffer.data()};
  for (int i = 0; i < 3; ++i) host.effect->processReplacing(host.effect, channels, channels, 64);
  EXPECT_EQ(host.Count(vst::audioMasterWantMidi), 3);
}

TEST(HostSettings, UnusableBlockSizesKeepAUsableScratch) {
  FakeHost host(&VSTPluginMain);
  host.Start(48000.0, 256);
  IProcessorVST* plug = IProcessorVST::FromEffect(host.effect);
  for (vst::VstIntPtr size : {vst::VstIntPtr{0}, vst::VstIntPtr{-1}, vst::VstIntPtr{-100000}}) {
    host.Dispatch(vst::effSetBlockSize, 0, size);
    EXPECT_EQ(plug->ScratchFrames(), 256) << size;
  }
  host.Dispatch(vst::effSetBlockSize, 0, vst::VstIntPtr{1} << 30);
  EXPECT_GE(plug->ScratchFrames(), 256);
  EXPECT_LE(plug->ScratchFrames(), 8192) << "no absurd allocation";
  const std::vector<float> tone = TestTone(20000, 0.0);
  const std::vector<float> out = RenderReplacing(host, tone, tone, 20000);
  for (float s : out) ASSERT_TRUE(std::isfinite(s));
}

TEST(HostSettings, UnusableSampleRatesAreIgnored) {
  FakeHost host(&VSTPluginMain);
  host.Start(48000.0, 256);
  IProcessorVST* plug = IProcessorVST::FromEffect(host.effect);
  for (float rate : {0.0f, -44100.0f, std::numeric_limits<float>::quiet_NaN(),
                     std::numeric_limits<float>::infinity(), 1e12f}) {
    host.Dispatch(vst::effSetSampleRate, 0, 0, nullptr, rate);
    EXPECT_EQ(plug->SampleRate(), 48000.0) << rate;
  }
  host.Dispatch(vst::effSetSampleRate, 0, 0, nullptr, 96000.0f);
  EXPECT_EQ(plug->SampleRate(), 96000.0);
}

TEST(HostSettings, ScannerThatNeverSwitchesOnIsServed) {
  FakeHost host(&VSTPluginMain);
  host.Dispatch(vst::effOpen);
  EXPECT_EQ(host.Text(vst::effGetEffectName), "Corvalent");
  host.Dispatch(vst::effMainsChanged, 0, 0);
  std::vector<float> buffer(64, 0.1f);
  float* channels[2] = {buffer.data(), buffer.data()};
  host.effect->processReplacing(host.effect, channels, channels, 64);
  for (float s : buffer) EXPECT_TRUE(std::isfinite(s));
}

TEST(HostParameters, SetAndGetThroughTheRecord) {
  FakeHost host(&VSTPluginMain);
  host.Start();
  vst::AEffect* e = host.effect;
  struct Case {
    const char* name;
    vst::VstInt32 index;
    float value;
    float expected;  // what parameter index then reads back
  };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const Case cases[] = {
      {"plain", 0, 0.25f, 0.25f},
      {"above one is one", 0, 1.5f, 1.0f},
      {"below zero is zero", 0, -0.5f, 0.0f},
      {"not a number changes nothing", 1, nan, 0.5f},
      {"infinity changes nothing", 1, inf, 0.5f},
      {"switch rounds to a state", 6, 0.7f, 1.0f},
      {"switch below a half is off", 6, 0.49f, 0.0f},
  };
  for (const Case& c : cases) {
    e->setParameter(e, c.index, c.value);
    EXPECT_EQ(e->getParameter(e, c.index), c.expected) << c.name;
  }
  host.calls.clear();
  for (vst::VstInt32 index : {-1, 7, 1000}) {
    e->setParameter(e, index, 0.3f);
    EXPECT_EQ(e->getParameter(e, index), 0.0f) << index;
  }
  EXPECT_TRUE(host.calls.empty()) << "host changes are not echoed to the host";
}

}  // namespace

namespace {

// Audio on one thread while the host's other thread reconfigures: the plug-in
// lock must keep block-size changes (which reallocate the scratch buffers)
// and state loads away from a block in progress.
TEST(Threads, AudioAndHostRequestsDoNotOverlap) {
  FakeHost host(&VSTPluginMain);
  host.Start(48000.0, 512);
  vst::AEffect* e = host.effect;
  std::atomic<bool> done{false};
  bool finite = true;
  std::thread audio([&] {
    std::vector<float> left = TestTone(512, 0.0), right = TestTone(512, 1.0);
    std::vector<float> outLeft(512), outRight(512);
    float* ins[2] = {left.data(), right.data()};
    float* outs[2] = {outLeft.data(), outRight.data()};
    for (int block = 0; block < 400; ++block) {
      e->processReplacing(e, ins, outs, 512);
      for (float s : outLeft) finite = finite && std::isfinite(s);
    }
    done = true;
  });
  int round = 0;
  while (!done) {
    // Block sizes below what the audio thread sends: served in pieces.
    e->dispatcher(e, vst::effSetBlockSize, 0, 64 + (round % 5) * 100, nullptr, 0.0f);
    e->setParameter(e, round % 7, static_cast<float>(round % 10) / 10.0f);
    void* data = nullptr;
    const vst::VstIntPtr size = e->dispatcher(e, vst::effGetChunk, 1, 0, &data, 0.0f);
    std::vector<char> chunk(static_cast<char*>(data), static_cast<char*>(data) + size);
    e->dispatcher(e, vst::effSetChunk, 1, size, chunk.data(), 0.0f);
    e->dispatcher(e, vst::effSetProgram, 0, round % 16, nullptr, 0.0f);
    ++round;
  }
  audio.join();
  EXPECT_TRUE(finite);
  EXPECT_GT(round, 0);
}

}  // namespace
