#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/RenderOptions.h"

namespace {

using Args = std::vector<const char*>;

bool Parse(const Args& args, render::RenderOptions& options) {
  std::vector<char*> argv = {const_cast<char*>("corvalent-render")};
  for (const char* arg : args) argv.push_back(const_cast<char*>(arg));
  std::string error;
  return render::ParseRenderOptions(static_cast<int>(argv.size()), argv.data(), options, error);
}

TEST(RenderOptions, ReadsSchedulesAndSettings) {
  render::RenderOptions o;
  ASSERT_TRUE(Parse({"--out", "x.wav", "--set", "Mode=0.77", "--set", "6=1", "--ramp",
                     "Pitch=0:1:0.5:2.5", "--cc", "1.5:4:127:3", "--cc-ramp", "9=0:127:1:5",
                     "--process", "double", "--block", "300", "--program", "2"},
                    o));
  ASSERT_EQ(o.settings.size(), 2u);
  EXPECT_EQ(o.settings[0].first, "Mode");
  EXPECT_EQ(o.settings[0].second, 0.77);
  ASSERT_EQ(o.ramps.size(), 1u);
  EXPECT_EQ(o.ramps[0].parameter, "Pitch");
  EXPECT_EQ(o.ramps[0].startSeconds, 0.5);
  EXPECT_EQ(o.ramps[0].endSeconds, 2.5);
  ASSERT_EQ(o.controllers.size(), 2u);
  EXPECT_EQ(o.controllers[0].controller, 4);
  EXPECT_EQ(o.controllers[0].from, 127);
  EXPECT_EQ(o.controllers[0].to, 127);
  EXPECT_EQ(o.controllers[0].channel, 3);
  EXPECT_EQ(o.controllers[1].to, 127);
  EXPECT_EQ(o.processKind, render::ProcessKind::Double);
  EXPECT_EQ(o.blockSize, 300);
  EXPECT_EQ(o.program, 2);
}

TEST(RenderOptions, RefusesMalformedCommandLines) {
  const std::vector<Args> cases = {
      {},                                             // no output
      {"--out"},                                      // missing value
      {"--out", "x.wav", "--set", "Mode"},            // no value
      {"--out", "x.wav", "--set", "=0.5"},            // no name
      {"--out", "x.wav", "--ramp", "Pitch=0:1:2"},    // three numbers
      {"--out", "x.wav", "--ramp", "Pitch=0:1:2:1"},  // ends before it starts
      {"--out", "x.wav", "--cc", "1:128:0"},          // controller out of range
      {"--out", "x.wav", "--cc", "1:4:200"},          // value out of range
      {"--out", "x.wav", "--cc", "1:4:20:16"},        // channel out of range
      {"--out", "x.wav", "--block", "0"},
      {"--out", "x.wav", "--block", "2.5"},
      {"--out", "x.wav", "--rate", "nan"},
      {"--out", "x.wav", "--process", "sideways"},
      {"--out", "x.wav", "--frobnicate"},
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    render::RenderOptions o;
    EXPECT_FALSE(Parse(cases[i], o)) << "case " << i;
  }
}

}  // namespace
