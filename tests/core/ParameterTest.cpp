#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "framework/core/IParameter.h"

namespace {

std::string Display(const IParameter& p, double value, bool normalized = false) {
  char out[IParameter::kTextSize];
  p.FormatDisplay(value, normalized, out);
  return out;
}

TEST(Parameter, DisplayPrecisionFollowsStep) {
  const struct {
    double step;
    int precision;
  } cases[] = {{1.0, 0},   {0.5, 1},    {0.1, 1},  {0.25, 2}, {0.01, 2}, {0.001, 3},
               {0.125, 3}, {0.0001, 4}, {1e-7, 6}, {0.3, 1},  {1e-9, 6}, {1e30, 0}};
  for (const auto& c : cases) {
    IParameter p;
    p.InitContinuous("x", 0.0, 0.0, 1e31, c.step, "");
    EXPECT_EQ(p.DisplayPrecision(), c.precision) << "step " << c.step;
  }
}

TEST(Parameter, InitContinuousRaisesMaximumToOneStep) {
  IParameter p;
  p.InitContinuous("x", 0.0, 0.0, 0.0, 0.5, "");
  EXPECT_EQ(p.Maximum(), 0.5);
  IParameter q;
  q.InitContinuous("x", 0.0, 2.0, std::nan(""), 1.0, "");
  EXPECT_EQ(q.Maximum(), 3.0);
  EXPECT_EQ(q.Kind(), kParamContinuous);
}

TEST(Parameter, EnumeratedRoundsHalvesUp) {
  IParameter p;
  p.InitEnumerated("Switch", 0, 2);
  EXPECT_EQ(p.Kind(), kParamEnumerated);
  EXPECT_EQ(p.Maximum(), 1.0);
  EXPECT_STREQ(p.Label(), "");
  const struct {
    double normalized;
    double value;
  } cases[] = {{0.7, 1.0}, {0.49, 0.0}, {0.5, 1.0}, {1.0, 1.0}, {0.0, 0.0}};
  for (const auto& c : cases) {
    p.SetNormalized(c.normalized);
    EXPECT_EQ(p.Value(), c.value) << c.normalized;
  }
}

TEST(Parameter, ContinuousClampsAtTopOnly) {
  IParameter p;
  p.InitContinuous("Level", 0.5, 0.0, 1.0, 0.001, "dB");
  p.SetNormalized(1.2);
  EXPECT_EQ(p.Value(), 1.0);
  p.SetNormalized(-0.2);
  EXPECT_EQ(p.Value(), -0.2);
  EXPECT_EQ(p.ToNormalized(5.0), 1.0);
  EXPECT_EQ(p.ToNormalized(-3.0), 0.0);
  p.SetNormalized(0.25);
  EXPECT_EQ(p.GetNormalized(), 0.25);
}

TEST(Parameter, NonFiniteNormalisedValueIsRefused) {
  IParameter p;
  p.InitContinuous("Level", 0.5, 0.0, 1.0, 0.001, "");
  for (double bad : {std::nan(""), std::numeric_limits<double>::infinity(),
                     -std::numeric_limits<double>::infinity()}) {
    p.SetNormalized(bad);
    EXPECT_EQ(p.Value(), 0.5);
  }
}

TEST(Parameter, FormatDisplayTexts) {
  IParameter level;
  level.InitContinuous("Level", 0.0, 0.0, 1.0, 0.001, "");
  IParameter wide;
  wide.InitContinuous("Wide", 0.0, -10.0, 10.0, 1.0, "");
  IParameter fine;
  fine.InitContinuous("Fine", 0.0, -1e300, 1e300, 1e-9, "");
  IParameter negated;
  negated.InitContinuous("Neg", 0.0, -10.0, 10.0, 0.5, "");
  negated.SetNegatedDisplay(true);
  IParameter onOff;
  onOff.InitEnumerated("Switch", 0, 2);
  onOff.SetDisplayText(0, "Off");
  onOff.SetDisplayText(1, "On");
  IParameter blankText;
  blankText.InitEnumerated("Blank", 0, 3);
  blankText.SetDisplayText(2, "");

  const struct {
    const char* name;
    const IParameter& p;
    double value;
    bool normalized;
    const char* text;
  } cases[] = {
      {"three decimals", level, 0.5, false, "0.500"},
      {"zero is bare", level, 0.0, false, "0"},
      {"negative zero is bare", level, -0.0, false, "0"},
      {"not a number is zero", level, std::nan(""), false, "0"},
      {"one", level, 1.0, false, "1.000"},
      {"normalised maps to range", wide, 0.75, true, "5"},
      {"integer truncates up", wide, 2.7, false, "2"},
      {"integer truncates down", wide, -2.7, false, "-2"},
      {"integer saturates", wide, 1e12, false, "2147483647"},
      {"negated display", negated, 2.5, false, "-2.5"},
      {"text for one", onOff, 1.0, false, "On"},
      {"text before zero rule", onOff, 0.0, false, "Off"},
      {"text lookup truncates", onOff, 0.9999, false, "Off"},
      {"normalised text", onOff, 1.0, true, "On"},
      {"empty text falls through", blankText, 2.0, false, "2"},
      {"no text record falls through", blankText, 1.0, false, "1"},
  };
  for (const auto& c : cases) EXPECT_EQ(Display(c.p, c.value, c.normalized), c.text) << c.name;
  EXPECT_EQ(Display(fine, 1e200).size(), 31u) << "wide numbers are cut to the buffer";
}

TEST(Parameter, DisplayTextLookup) {
  IParameter p;
  p.InitEnumerated("Switch", 0, 2);
  p.SetDisplayText(0, "Off");
  p.SetDisplayText(1, "On");
  p.SetDisplayText(1, "Duplicate");
  EXPECT_EQ(p.DisplayTextCount(), 3);
  EXPECT_STREQ(p.DisplayTextFor(1), "On");
  EXPECT_STREQ(p.DisplayTextFor(5), "");
  int value = -7;
  EXPECT_FALSE(p.ValueForDisplayText("on", &value));
  EXPECT_EQ(value, -7);
  EXPECT_TRUE(p.ValueForDisplayText("On", &value));
  EXPECT_EQ(value, 1);
  EXPECT_FALSE(p.ValueForDisplayText(nullptr, &value));
}

TEST(Parameter, LongStringsAreCut) {
  const std::string longText(100, 'n');
  IParameter p;
  p.InitContinuous(longText.c_str(), 0.0, 0.0, 1.0, 1.0, longText.c_str());
  p.SetDisplayText(0, longText.c_str());
  EXPECT_EQ(std::string(p.Name()), longText.substr(0, 31));
  EXPECT_EQ(std::string(p.Label()), longText.substr(0, 31));
  EXPECT_EQ(std::string(p.DisplayTextFor(0)), longText.substr(0, 31));
  EXPECT_EQ(Display(p, 0.0), longText.substr(0, 31));
  p.InitContinuous(nullptr, 0.0, 0.0, 1.0, 1.0, nullptr);
  EXPECT_STREQ(p.Name(), "");
}

TEST(Parameter, ClampToRangeSendsNotANumberToMinimum) {
  IParameter p;
  p.InitContinuous("x", 0.0, -1.0, 1.0, 0.1, "");
  EXPECT_EQ(p.ClampToRange(7.5), 1.0);
  EXPECT_EQ(p.ClampToRange(-7.5), -1.0);
  EXPECT_EQ(p.ClampToRange(std::nan("")), -1.0);
  EXPECT_EQ(p.ClampToRange(0.3), 0.3);
}

}  // namespace
