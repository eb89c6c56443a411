#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "effect/BiquadBank.h"
#include "effect/DrivePath.h"
#include "effect/FilterTable.h"
#include "effect/LevelLaw.h"
#include "effect/OnePoleBank.h"

namespace {

// Check values are given to 16 significant digits: allow the last one.
void ExpectSixteenDigits(double expected, double actual, const char* what) {
  EXPECT_NEAR(actual, expected, std::fabs(expected) * 1e-15) << what;
}

struct SlotCheck {
  int slot;
  double b0, b1, b2, a1, a2;
};

TEST(FilterBank, CoefficientsAt44100MatchTheCheckValues) {
  const SlotCheck checks[] = {
      {0, 0.002046948486184361, 0.004093896972368722, 0.002046948486184361, -1.902536584489209,
       0.9107243784339466},
      {9, 1.050728215489473, -1.842380781046478, 0.8189118781963267, -1.842380781046478,
       0.8696400936857994},
      {11, 0.9901962319077617, -1.971429900303341, 0.9812607422991378, -1.971306500232187,
       0.9715803742780527},
      {29, 0.4020405109574161, 0.4177001510397557, 0.1484735936086354, -0.2112592837815454,
       0.1794735393873525},
  };
  DrivePath path;
  path.Design(44100.0, 0.5);
  for (const SlotCheck& check : checks) {
    const BiquadCoefficients c = path.Biquads().Coefficients(check.slot);
    SCOPED_TRACE(check.slot);
    std::printf("slot %d: %.17g %.17g %.17g %.17g %.17g\n", check.slot, c.b0, c.b1, c.b2, c.a1,
                c.a2);
    ExpectSixteenDigits(check.b0, c.b0, "b0");
    ExpectSixteenDigits(check.b1, c.b1, "b1");
    ExpectSixteenDigits(check.b2, c.b2, "b2");
    ExpectSixteenDigits(check.a1, c.a1, "a1");
    ExpectSixteenDigits(check.a2, c.a2, "a2");
  }
  EXPECT_EQ(path.PolesA().Gain(kPoleA0), 0.09793748292588322);
  EXPECT_EQ(path.PolesB().Gain(kPoleB2), 0.09793748292588322);
  EXPECT_EQ(path.PolesB().Gain(kPoleB0), 0.0975586486812029);
  EXPECT_EQ(path.PolesB().Gain(kPoleB1), 0.0975586486812029);
  EXPECT_EQ(path.PolesA().Feedback(kPoleA0), 0.09793748292588322 - 1.0);
}

TEST(FilterBank, UndesignedSlotsHoldZeros) {
  DrivePath path;
  path.Design(48000.0, 0.3);
  for (int slot : {8, 30, 31}) {
    const BiquadCoefficients c = path.Biquads().Coefficients(slot);
    EXPECT_EQ(c.b0, 0.0);
    EXPECT_EQ(c.b1, 0.0);
    EXPECT_EQ(c.b2, 0.0);
    EXPECT_EQ(c.a1, 0.0);
    EXPECT_EQ(c.a2, 0.0);
  }
  for (int slot = 4; slot < OnePoleBank::kSlots; ++slot) {
    EXPECT_EQ(path.PolesA().Gain(slot), 0.0);
    EXPECT_EQ(path.PolesA().Feedback(slot), 0.0);
  }
  for (int slot = 3; slot < OnePoleBank::kSlots; ++slot) EXPECT_EQ(path.PolesB().Gain(slot), 0.0);
}

// A 650 Hz low-pass at every rate: unity at DC, and its magnitude at 650 Hz
// the same whatever the rate (bilinear warping aside, within a few percent).
TEST(FilterBank, InputLowPassKeepsItsCornerAtOtherRates) {
  for (double rate : {44100.0, 96000.0}) {
    DrivePath path;
    path.Design(rate, 0.5);
    const BiquadCoefficients c = path.Biquads().Coefficients(kSlotInputLowPass);
    EXPECT_NEAR((c.b0 + c.b1 + c.b2) / (1.0 + c.a1 + c.a2), 1.0, 1e-12);
  }
}

TEST(FilterBank, RunSeriesMatchesRunningEachSlotInTurn) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> sample(-1.0, 1.0);
  for (int count : {1, 2, 5, 21, 300}) {
    // Group and pair boundaries of the series: 6 stages to a group.
    for (int stages : {1, 2, 3, 5, 6, 7, 12, 13, 21}) {
      DrivePath reference;
      reference.Design(44100.0, 0.2);
      BiquadBank a = reference.Biquads();
      BiquadBank b = a;
      std::vector<double> input(count);
      for (double& v : input) v = sample(random);
      std::vector<double> blockwise = input;
      a.RunSeries(9, 9 + stages - 1, blockwise.data(), count);
      for (int i = 0; i < count; ++i) {
        double v = input[i];
        for (int s = 9; s < 9 + stages; ++s) v = b.Run(s, v);
        ASSERT_EQ(blockwise[i], v) << "count " << count << " stages " << stages << " at " << i;
      }
      for (int slot = 0; slot < BiquadBank::kSlots; ++slot) {
        const BiquadState sa = a.State(slot), sb = b.State(slot);
        ASSERT_TRUE(sa.x1 == sb.x1 && sa.x2 == sb.x2 && sa.y1 == sb.y1 && sa.y2 == sb.y2)
            << "count " << count << " stages " << stages << " slot " << slot;
      }
    }
  }
}

TEST(LevelLaw, GainsAtTheEndsAndMiddle) {
  EXPECT_EQ(LevelGain(0.0), 0.0);
  EXPECT_EQ(LevelGain(0.5), 0.058525993851165525);
  EXPECT_EQ(LevelGain(1.0), 0.18242552380635624);
}

}  // namespace
