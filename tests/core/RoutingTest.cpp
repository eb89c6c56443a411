#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/core/TestProcessor.h"

namespace {

// Pass-through that also records what ProcessAudio was handed.
class RecordingProcessor : public TestProcessor {
 public:
  using TestProcessor::TestProcessor;
  void ProcessAudio(double** inputs, double** outputs, int nFrames) override {
    calls.push_back({inputs, outputs, nFrames});
    if (inputs) firstInputs.assign(inputs, inputs + NInputs());
    if (outputs && NInputs() > 1 && nFrames > 0) secondInputSample = inputs[1][0];
    IProcessorBase::ProcessAudio(inputs, outputs, nFrames);
  }
  struct Call {
    double** inputs;
    double** outputs;
    int nFrames;
  };
  std::vector<Call> calls;
  std::vector<double*> firstInputs;
  double secondInputSample = -1.0;
};

// Both pairs connected, scratch sized for nFrames: the binding's starting state.
void ConnectStereo(IProcessorBase& plug, int nFrames) {
  plug.ConnectInputs(0, 2, true);
  plug.ConnectOutputs(0, 2, true);
  plug.SetBlockSize(nFrames);
}

TEST(ChannelConfigs, ParseAndLegalIO) {
  TestProcessor plug(7, "1-1 2-2");
  ASSERT_EQ(plug.NChannelConfigs(), 2);
  EXPECT_EQ(plug.GetChannelConfig(1)->nIn, 2);
  EXPECT_EQ(plug.NInputs(), 2);
  EXPECT_EQ(plug.NOutputs(), 2);
  const struct {
    int nIn, nOut;
    bool legal;
  } cases[] = {{1, -1, true}, {2, 2, true}, {1, 2, false}, {-1, -1, true}, {3, -1, false}};
  for (const auto& c : cases) {
    EXPECT_EQ(plug.LegalIO(c.nIn, c.nOut), c.legal) << c.nIn << "-" << c.nOut;
  }

  TestProcessor single(1, "2-2");
  EXPECT_EQ(single.NChannelConfigs(), 1);
  EXPECT_EQ(single.NInputs(), 2);

  TestProcessor mixed(1, "1-2 2-1");
  EXPECT_EQ(mixed.NInputs(), 2);
  EXPECT_EQ(mixed.NOutputs(), 2);
}

TEST(ChannelConfigs, NoStringGivesNoChannelsAndNullTables) {
  RecordingProcessor plug(1, nullptr);
  EXPECT_EQ(plug.NChannelConfigs(), 0);
  EXPECT_EQ(plug.NInputs(), 0);
  EXPECT_FALSE(plug.LegalIO(-1, -1));
  plug.SetBlockSize(64);
  plug.ProcessFloatBlock(nullptr, nullptr, 32, false);
  ASSERT_EQ(plug.calls.size(), 1u);
  EXPECT_EQ(plug.calls[0].inputs, nullptr);
  EXPECT_EQ(plug.calls[0].outputs, nullptr);
  EXPECT_EQ(plug.calls[0].nFrames, 32);
}

// Stereo host buffers of n frames.
struct FloatBlock {
  explicit FloatBlock(int n, float in0 = 0.25f, float in1 = -0.5f, float outFill = 9.0f)
      : in{std::vector<float>(n, in0), std::vector<float>(n, in1)},
        out{std::vector<float>(n, outFill), std::vector<float>(n, outFill)},
        inPtrs{in[0].data(), in[1].data()},
        outPtrs{out[0].data(), out[1].data()} {}
  std::vector<float> in[2];
  std::vector<float> out[2];
  float* inPtrs[2];
  float* outPtrs[2];
};

TEST(Routing, SinglePrecisionReplacingAndAccumulating) {
  TestProcessor plug;
  ConnectStereo(plug, 64);

  FloatBlock replacing(64);
  plug.ProcessFloatBlock(replacing.inPtrs, replacing.outPtrs, 64, false);
  EXPECT_EQ(replacing.out[0], std::vector<float>(64, 0.25f));
  EXPECT_EQ(replacing.out[1], std::vector<float>(64, -0.5f));

  FloatBlock accumulating(64, 0.5f, 0.5f, 0.25f);
  plug.ProcessFloatBlock(accumulating.inPtrs, accumulating.outPtrs, 64, true);
  EXPECT_EQ(accumulating.out[0], std::vector<float>(64, 0.75f));

  // The step-by-step form the callbacks are built from gives the same.
  FloatBlock steps(13, 0.5f, 0.5f, 0.25f);
  plug.AttachInputBuffers(0, 2, steps.inPtrs, 13);
  plug.AttachOutputBuffers(0, 2, steps.outPtrs);
  plug.RunProcessingAccumulating(13);
  EXPECT_EQ(steps.out[1], std::vector<float>(13, 0.75f));
}

TEST(Routing, DoublePrecisionPassesHostBuffersThrough) {
  RecordingProcessor plug;
  ConnectStereo(plug, 64);
  std::vector<double> in0(64, 0.125), in1(64, 0.5), out0(64, 9.0), out1(64, 9.0);
  double* ins[] = {in0.data(), in1.data()};
  double* outs[] = {out0.data(), out1.data()};
  plug.ProcessDoubleBlock(ins, outs, 64);
  ASSERT_EQ(plug.calls.size(), 1u);
  EXPECT_EQ(plug.calls[0].inputs[0], in0.data());
  EXPECT_EQ(plug.calls[0].outputs[1], out1.data());
  EXPECT_EQ(out0, in0);
  EXPECT_EQ(out1, in1);
}

TEST(Routing, DisconnectedInputReadsScratchAndConsumesNoHostBuffer) {
  RecordingProcessor plug;
  ConnectStereo(plug, 32);

  FloatBlock fed(32, 0.25f, 0.75f);
  plug.ProcessFloatBlock(fed.inPtrs, fed.outPtrs, 32, false);
  EXPECT_EQ(plug.secondInputSample, 0.75);

  // Fed before it was disconnected: keeps reading the last converted block.
  plug.ConnectInputs(1, 1, false);
  float onlyOne[32];
  std::fill(onlyOne, onlyOne + 32, 0.5f);
  float* hostIns[] = {onlyOne};  // one buffer: the second channel takes none
  plug.ProcessFloatBlock(hostIns, fed.outPtrs, 32, false);
  EXPECT_EQ(plug.firstInputs[0][0], 0.5);
  EXPECT_EQ(plug.secondInputSample, 0.75);

  // A block-size change zeroes the scratch it reads.
  plug.SetBlockSize(64);
  FloatBlock after(64);
  float* hostIns64[] = {after.inPtrs[0]};
  plug.ProcessFloatBlock(hostIns64, after.outPtrs, 64, false);
  EXPECT_EQ(plug.firstInputs[0][0], 0.25);
  EXPECT_EQ(plug.secondInputSample, 0.0);
  EXPECT_EQ(after.out[1], std::vector<float>(64, 0.0f));
}

TEST(Routing, DisconnectedFromTheStartReadsZerosOnceSized) {
  RecordingProcessor plug;
  plug.ConnectInputs(0, 1, true);
  plug.ConnectOutputs(0, 2, true);
  plug.SetBlockSize(16);
  FloatBlock block(16);
  plug.ProcessFloatBlock(block.inPtrs, block.outPtrs, 16, false);
  EXPECT_NE(plug.firstInputs[1], nullptr);
  EXPECT_EQ(plug.secondInputSample, 0.0);
}

TEST(Routing, OversizedHostBlockIsProcessedInPieces) {
  RecordingProcessor plug;
  ConnectStereo(plug, 1024);
  const int n = 2500;
  FloatBlock block(n);
  for (int j = 0; j < n; ++j) block.in[0][j] = static_cast<float>(j);
  plug.ProcessFloatBlock(block.inPtrs, block.outPtrs, n, false);
  ASSERT_EQ(plug.calls.size(), 3u);
  EXPECT_EQ(plug.calls[0].nFrames, 1024);
  EXPECT_EQ(plug.calls[2].nFrames, 452);
  EXPECT_EQ(block.out[0], block.in[0]);
  EXPECT_EQ(block.out[1], block.in[1]);

  std::vector<double> in(n, 0.5), out(n, 9.0);
  double* ins[] = {in.data(), in.data()};
  double* outs[] = {out.data(), out.data()};
  plug.ProcessDoubleBlock(ins, outs, n);
  EXPECT_EQ(out, in);

  // The step-by-step form handles at most the scratch size.
  plug.calls.clear();
  plug.AttachInputBuffers(0, 2, block.inPtrs, n);
  plug.AttachOutputBuffers(0, 2, block.outPtrs);
  plug.RunProcessingReplacing(n);
  EXPECT_EQ(plug.calls.at(0).nFrames, 1024);
}

TEST(Routing, NullHostBuffersAreSilenceOrIgnored) {
  TestProcessor plug;
  ConnectStereo(plug, 16);
  FloatBlock block(16);
  float* ins[] = {nullptr, block.inPtrs[1]};
  float* outs[] = {block.outPtrs[0], nullptr};
  plug.ProcessFloatBlock(ins, outs, 16, false);
  EXPECT_EQ(block.out[0], std::vector<float>(16, 0.0f));
  plug.ProcessFloatBlock(nullptr, nullptr, 16, true);
  plug.ProcessFloatBlock(block.inPtrs, block.outPtrs, -5, false);
  double* dins[] = {nullptr, nullptr};
  plug.ProcessDoubleBlock(dins, nullptr, 16);
  EXPECT_EQ(block.out[1], std::vector<float>(16, 9.0f));
}

TEST(Routing, NothingIsProcessedBeforeTheBlockSizeIsKnown) {
  RecordingProcessor plug;
  plug.ConnectInputs(0, 2, true);
  plug.ConnectOutputs(0, 2, true);
  FloatBlock block(8);
  plug.ProcessFloatBlock(block.inPtrs, block.outPtrs, 8, false);
  EXPECT_TRUE(plug.calls.empty());
}

TEST(Routing, BlockSizeEdges) {
  TestProcessor plug;
  plug.SetBlockSize(64);
  double* scratch = static_cast<double*>(plug.Input(0)->scratch.Data());
  scratch[3] = 1.5;
  plug.SetBlockSize(64);
  EXPECT_EQ(static_cast<double*>(plug.Input(0)->scratch.Data())[3], 1.5);

  for (int bad : {0, -1, INT32_MAX, INT32_MAX / 8}) {
    plug.SetBlockSize(bad);
    EXPECT_EQ(plug.ScratchFrames(), 64) << bad;
    EXPECT_EQ(plug.BlockSize(), 64) << bad;
  }
  plug.SetBlockSize(16);
  EXPECT_EQ(plug.ScratchFrames(), 16);
  EXPECT_EQ(static_cast<double*>(plug.Input(0)->scratch.Data())[3], 0.0);
}

TEST(Routing, ForceFirstPairOnly) {
  TestProcessor plug(1, "4-4");
  plug.ConnectInputs(0, 4, true);
  plug.ConnectOutputs(0, 1, true);
  plug.SetBlockSize(8);
  plug.ForceFirstPairOnly();
  EXPECT_TRUE(plug.Input(1)->connected);
  EXPECT_FALSE(plug.Input(2)->connected);
  EXPECT_FALSE(plug.Input(3)->connected);
  EXPECT_EQ(*plug.Input(3)->slot, plug.Input(3)->scratch.Data());
  EXPECT_FALSE(plug.Output(1)->connected);
  EXPECT_TRUE(plug.Output(2)->connected);
  EXPECT_TRUE(plug.Output(3)->connected);

  TestProcessor stereo;
  stereo.ForceFirstPairOnly();
  EXPECT_FALSE(stereo.Input(1)->connected);
}

TEST(Routing, PassThroughZeroesOutputsWithoutInput) {
  TestProcessor plug(1, "1-2");
  plug.ConnectInputs(0, 1, true);
  plug.ConnectOutputs(0, 2, true);
  plug.SetBlockSize(8);
  FloatBlock block(8);
  float* ins[] = {block.inPtrs[0]};
  plug.ProcessFloatBlock(ins, block.outPtrs, 8, false);
  EXPECT_EQ(block.out[0], std::vector<float>(8, 0.25f));
  EXPECT_EQ(block.out[1], std::vector<float>(8, 0.0f));
}

TEST(Routing, ConnectRangesAreClipped) {
  TestProcessor plug;
  plug.ConnectInputs(-3, 100, true);
  EXPECT_TRUE(plug.Input(0)->connected);
  EXPECT_TRUE(plug.Input(1)->connected);
  plug.ConnectOutputs(1, INT32_MAX, true);
  EXPECT_FALSE(plug.Output(0)->connected);
  EXPECT_TRUE(plug.Output(1)->connected);
  EXPECT_EQ(plug.Input(2), nullptr);
}

}  // namespace
