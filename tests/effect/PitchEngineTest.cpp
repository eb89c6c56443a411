#include <gtest/gtest.h>

#include <cmath>

#include "effect/PitchEngine.h"
#include "effect/PitchMapping.h"

namespace {

TEST(PitchMapping, FullPedalDepths) {
  PitchMapping m;
  ASSERT_TRUE(ComputePitchMapping(10, 1.0, 44100.0, m));
  EXPECT_EQ(m.windowRateHz, 12.0);
  EXPECT_EQ(m.targetDepth, 0.0833333334101738);
  EXPECT_EQ(m.direction, -1.0);
  ASSERT_TRUE(ComputePitchMapping(11, 1.0, 44100.0, m));
  EXPECT_EQ(m.windowRateHz, 3.0);
  EXPECT_EQ(m.targetDepth, 0.2500000000768404);
  EXPECT_EQ(m.direction, 1.0);
  EXPECT_EQ(m.phaseIncrement, 3.0 / 44100.0);
  EXPECT_EQ(m.doubleIncrement, 2.0 * (3.0 / 44100.0));
}

TEST(PitchMapping, WindowRatesAndUnisonEnds) {
  PitchMapping m;
  ASSERT_TRUE(ComputePitchMapping(9, 1.0, 48000.0, m));
  EXPECT_EQ(m.windowRateHz, 22.5);
  ASSERT_TRUE(ComputePitchMapping(0, 0.5, 48000.0, m));
  EXPECT_EQ(m.targetDepth, 0.0);
  EXPECT_EQ(m.direction, -1.0);
  ASSERT_TRUE(ComputePitchMapping(12, 0.0, 48000.0, m));
  EXPECT_EQ(m.targetDepth, 0.0);
  EXPECT_EQ(m.windowRateHz, 6.0);
  ASSERT_TRUE(ComputePitchMapping(12, 1.0, 48000.0, m));
  EXPECT_EQ(m.windowRateHz, 4.0);
}

TEST(PitchMapping, ModesOutsideTheTableChangeNothing) {
  PitchMapping m;
  m.windowRateHz = 123.0;
  EXPECT_FALSE(ComputePitchMapping(14, 1.0, 44100.0, m));
  EXPECT_FALSE(ComputePitchMapping(-1, 1.0, 44100.0, m));
  EXPECT_EQ(m.windowRateHz, 123.0);
}

TEST(PitchEngine, ResetSizesTheLineAndControlBlock) {
  struct Case {
    int rate;
    int block;
  };
  for (const Case c : {Case{44100, 1378}, Case{48000, 1500}, Case{32, 1}}) {
    PitchEngine engine;
    ASSERT_TRUE(engine.Reset(c.rate));
    EXPECT_EQ(engine.DelaySamples(), c.rate);
    EXPECT_EQ(engine.ControlBlockSamples(), c.block);
  }
  PitchEngine engine;
  EXPECT_FALSE(engine.Reset(31));
  EXPECT_FALSE(engine.Reset(0));
  EXPECT_FALSE(engine.Ready());
}

// The depth stays 0 for one control block, then ramps linearly to the target
// over the next one, with no overshoot.
TEST(PitchEngine, DepthRampsOverOneControlBlock) {
  PitchEngine engine;
  ASSERT_TRUE(engine.Reset(44100));
  engine.SetSampleRate(44100.0);
  engine.SelectMode(11);
  engine.SetPedal(1.0);
  for (int i = 0; i < 1378; ++i) engine.StepNearest(0.0, 0.0);
  EXPECT_EQ(engine.Depth(), 0.0);
  double previous = 0.0;
  for (int i = 0; i < 1378; ++i) {
    engine.StepNearest(0.0, 0.0);
    ASSERT_GT(engine.Depth(), previous);
    previous = engine.Depth();
  }
  EXPECT_NEAR(engine.Depth(), 0.2500000000768404, 1e-14);
  for (int i = 0; i < 3000; ++i) engine.StepNearest(0.0, 0.0);
  EXPECT_NEAR(engine.Depth(), 0.2500000000768404, 1e-14);
}

TEST(PitchEngine, PedalIsClampedAndNaNCountsAsZero) {
  PitchEngine engine;
  engine.SetPedal(std::nan(""));
  EXPECT_EQ(engine.Pedal(), 0.0);
  engine.SetPedal(-3.0);
  EXPECT_EQ(engine.Pedal(), 0.0);
  engine.SetPedal(7.0);
  EXPECT_EQ(engine.Pedal(), 1.0);
}

}  // namespace
