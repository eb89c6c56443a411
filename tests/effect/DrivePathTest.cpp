#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "effect/DrivePath.h"
#include "effect/LevelLaw.h"
#include "effect/SoftClip.h"

namespace {

TEST(SoftClip, CurvePoints) {
  struct Case {
    double in;
    double out;
  };
  const Case cases[] = {{0.0, 0.0}, {0.2, 0.5},   {0.1, 0.375}, {-0.1, -0.375},
                        {5.0, 0.5}, {-5.0, -0.5}, {-0.2, -0.5}};
  for (const Case& c : cases) EXPECT_NEAR(SoftClip(c.in), c.out, 1e-16) << c.in;
  EXPECT_EQ(SoftClip(std::numeric_limits<double>::quiet_NaN()), -0.5);
  EXPECT_EQ(SoftClip(std::numeric_limits<double>::infinity()), 0.5);
}

// Tiny inputs skip the division; around that threshold the result must be
// the plain formula to the bit.
TEST(SoftClip, TinyInputsGiveTheFormulaExactly) {
  const auto formula = [](double v) { return (1.0 - std::fabs(v) / 0.4) * v * 0.5 * 10.0; };
  for (double v = 0x1p-62; v < 0x1p-50; v *= 1.0009765625) {
    for (double s : {v, -v, std::nextafter(v, 0.0), std::nextafter(v, 1.0)}) {
      ASSERT_EQ(SoftClip(s), formula(s)) << s;
    }
  }
  for (double v : {0x1p-56, -0x1p-56, 1e-20, 5e-18, 4.9e-324, 0.0, -0.0}) {
    EXPECT_EQ(SoftClip(v), formula(v)) << v;
  }
}

TEST(SoftClip, NeverExceedsHalfAndIsOdd) {
  for (double v = -2.0; v <= 2.0; v += 0.0013) {
    EXPECT_LE(std::fabs(SoftClip(v)), 0.5);
    EXPECT_EQ(SoftClip(-v), -SoftClip(v));
  }
}

DrivePath DesignedPath(double drive, double level) {
  DrivePath path;
  path.Design(44100.0, 0.5);
  path.SetDriveAmount(drive);
  path.SetLevelGain(LevelGain(level));
  return path;
}

TEST(DrivePath, ImpulseGivesTheCheckSamples) {
  DrivePath path = DesignedPath(0.5, 0.5);
  const double expected[] = {0.008343128572473569, 0.023657835206819897, 0.04074488724489803,
                             0.06515412208752686};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(path.ProcessSample(i == 0 ? 0.5 : 0.0), expected[i]) << i;
}

TEST(DrivePath, BlockAndSampleProcessingAgreeForAnySplit) {
  std::mt19937 random(11);
  std::uniform_real_distribution<double> sample(-0.8, 0.8);
  std::vector<double> input(3000);
  for (double& v : input) v = sample(random);

  DrivePath reference = DesignedPath(0.7, 0.6);
  std::vector<double> expected(input.size());
  for (size_t i = 0; i < input.size(); ++i) expected[i] = reference.ProcessSample(input[i]);

  for (int split : {1, 7, 64, 1024, 3000}) {
    DrivePath path = DesignedPath(0.7, 0.6);
    std::vector<double> out = input;
    for (size_t at = 0; at < out.size(); at += split) {
      const int n = static_cast<int>(std::min<size_t>(split, out.size() - at));
      path.ProcessBlock(out.data() + at, n);
    }
    for (size_t i = 0; i < out.size(); ++i) ASSERT_EQ(out[i], expected[i]) << split << " " << i;
  }
}

bool HasSubnormalState(const BiquadBank& bank) {
  for (int slot = 0; slot < BiquadBank::kSlots; ++slot) {
    const BiquadState s = bank.State(slot);
    for (double v : {s.x1, s.x2, s.y1, s.y2}) {
      if (std::fpclassify(v) == FP_SUBNORMAL) return true;
    }
  }
  return false;
}

// After a signal stops, the input filters and the high-pass after the band
// clip decay into subnormal numbers when left alone (the per-sample
// reference). The block path clears those states first, and no output bit
// changes.
TEST(DrivePath, SilenceAfterASignalLeavesNoSubnormalStateAndTheSameOutput) {
  std::mt19937 random(5);
  std::uniform_real_distribution<double> sample(-0.5, 0.5);
  std::vector<double> input(60000, 0.0);
  for (size_t i = 0; i < 2000; ++i) input[i] = sample(random);

  DrivePath reference = DesignedPath(0.5, 0.5);
  std::vector<double> expected(input.size());
  for (size_t i = 0; i < input.size(); ++i) expected[i] = reference.ProcessSample(input[i]);
  ASSERT_TRUE(HasSubnormalState(reference.Biquads()));

  DrivePath path = DesignedPath(0.5, 0.5);
  std::vector<double> out = input;
  for (size_t at = 0; at < out.size(); at += 1024) {
    path.ProcessBlock(out.data() + at, static_cast<int>(std::min<size_t>(1024, out.size() - at)));
    EXPECT_FALSE(at > 40000 && HasSubnormalState(path.Biquads())) << at;
  }
  for (size_t i = 0; i < out.size(); ++i) ASSERT_EQ(out[i], expected[i]) << i;
}

TEST(DrivePath, DriveZeroSilencesTheBandBranch) {
  DrivePath path = DesignedPath(0.0, 0.5);
  // Only the accumulated offsets come through: 1e-20 after A3, filtered.
  for (int i = 0; i < 2000; ++i) {
    const double x = 0.5 * std::sin(i * 0.07);
    EXPECT_LT(std::fabs(path.BandClipBranch(x)), 1e-18);
  }
}

TEST(DrivePath, LevelZeroLeavesOnlyOffsets) {
  DrivePath path = DesignedPath(1.0, 0.0);
  double largest = 0.0;
  for (int i = 0; i < 5000; ++i) {
    largest = std::max(largest, std::fabs(path.ProcessSample(std::sin(i * 0.05))));
  }
  EXPECT_LT(largest, 1e-15);
}

TEST(DrivePath, FullScaleInputStaysBounded) {
  DrivePath path = DesignedPath(1.0, 1.0);
  for (int i = 0; i < 20000; ++i) {
    const double y = path.ProcessSample(i % 40 < 20 ? 1.0 : -1.0);
    ASSERT_TRUE(std::isfinite(y));
    ASSERT_LT(std::fabs(y), 10.0);
  }
}

}  // namespace
