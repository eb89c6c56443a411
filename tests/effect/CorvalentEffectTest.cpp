#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "effect/LevelLaw.h"
#include "tests/effect/EffectFixture.h"

namespace {

using Signal = std::vector<double>;

Signal Impulse(size_t n, double height) {
  Signal s(n, 0.0);
  s[0] = height;
  return s;
}

Signal Noise(size_t n, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> sample(-0.5, 0.5);
  Signal s(n);
  for (double& v : s) v = sample(random);
  return s;
}

// Switch positions for the four routings: drive on?, pitch on?
struct Routing {
  bool drive;
  bool pitch;
};
constexpr Routing kRoutings[] = {{false, false}, {false, true}, {true, false}, {true, true}};

void SetRouting(TestEffect& fx, Routing r) {
  fx.SetParam(CorvalentEffect::kParamDistortion, r.drive ? 1.0 : 0.0);
  fx.SetParam(CorvalentEffect::kParamPitchSwitch, r.pitch ? 1.0 : 0.0);
}

TEST(CorvalentEffect, IdentityParametersAndPresets) {
  TestEffect fx;
  EXPECT_STREQ(fx.EffectName(), "Corvalent");
  EXPECT_STREQ(fx.ProductName(), "");
  EXPECT_STREQ(fx.VendorName(), "Velorbit");
  EXPECT_EQ(fx.GetEffectVersion(false), 0x20100);
  EXPECT_EQ(fx.UniqueId(), 0x6D766B37);        // 'mvk7'
  EXPECT_EQ(fx.ManufacturerId(), 0x56656C6F);  // 'Velo'
  EXPECT_EQ(fx.NInputs(), 2);
  EXPECT_EQ(fx.NOutputs(), 2);
  EXPECT_EQ(fx.Latency(), 0);
  const char* names[] = {"Level", "Drive", "Tone", "Mode", "Pitch", "Distortion", "Pitch"};
  const double defaults[] = {0.5, 0.5, 0.5, 0.0, 0.0, 1.0, 1.0};
  ASSERT_EQ(fx.NParams(), 7);
  for (int i = 0; i < 7; ++i) {
    EXPECT_STREQ(fx.Parameter(i)->Name(), names[i]);
    EXPECT_EQ(fx.Parameter(i)->Value(), defaults[i]);
  }
  EXPECT_STREQ(fx.Parameter(5)->DisplayTextFor(0), "Off");
  EXPECT_STREQ(fx.Parameter(6)->DisplayTextFor(1), "On");
  ASSERT_EQ(fx.NPresets(), 16);
  for (int i = 0; i < 16; ++i) EXPECT_STREQ(fx.PresetName(i), "Init");
}

TEST(CorvalentEffect, OpeningSetsTheWorkingStateAndLights) {
  TestEffect fx;
  FakeEditor* editor = fx.AttachFakeEditor();
  fx.Open(44100.0);
  EXPECT_EQ(fx.Drive().LevelGainValue(), 0.058525993851165525);
  EXPECT_EQ(fx.Drive().DriveAmount(), 0.5);
  EXPECT_EQ(fx.ModeIndex(), 0);
  EXPECT_TRUE(fx.DriveOn());
  EXPECT_TRUE(fx.PitchOn());
  EXPECT_EQ(editor->controls[10], 1.0);
  EXPECT_EQ(editor->controls[11], 1.0);
  EXPECT_EQ(editor->controls[12], 1.0);
  EXPECT_EQ(editor->LitModeLights(), 1);
}

TEST(CorvalentEffect, ModeSelectionLightsExactlyOneLight) {
  TestEffect fx;
  FakeEditor* editor = fx.AttachFakeEditor();
  fx.Open(44100.0);
  struct Case {
    double value;
    int mode;
  };
  // Out-of-range values (a host may send them) select the nearest end.
  const Case cases[] = {{1.0, 13}, {0.999, 12}, {0.0769, 0}, {1.0 / 13.0 + 1e-9, 1},
                        {0.5, 6},  {-0.4, 0},   {3.0, 13},   {0.0, 0}};
  for (const Case& c : cases) {
    fx.SetParam(CorvalentEffect::kParamMode, c.value);
    EXPECT_EQ(fx.ModeIndex(), c.mode) << c.value;
    EXPECT_EQ(editor->LitModeLights(), 1) << c.value;
    EXPECT_EQ(editor->controls[12 + c.mode], 1.0) << c.value;
  }
}

TEST(CorvalentEffect, SwitchValuesOtherThanZeroOrOneAreIgnored) {
  TestEffect fx;
  FakeEditor* editor = fx.AttachFakeEditor();
  fx.Open(44100.0);
  fx.SetParam(CorvalentEffect::kParamDistortion, 0.0);
  EXPECT_FALSE(fx.DriveOn());
  EXPECT_EQ(editor->controls[10], 0.0);
  for (double ignored : {2.0, -1.0, 1e300, std::numeric_limits<double>::infinity()}) {
    fx.SetParam(CorvalentEffect::kParamDistortion, ignored);
    EXPECT_FALSE(fx.DriveOn()) << ignored;
  }
  fx.SetParam(CorvalentEffect::kParamDistortion, 1.0);
  EXPECT_TRUE(fx.DriveOn());
  EXPECT_EQ(editor->controls[10], 1.0);
}

MidiMessage ControlChange(int channel, int controller, int value) {
  MidiMessage m;
  m.status = static_cast<uint8_t>(0xB0 | channel);
  m.data1 = static_cast<uint8_t>(controller);
  m.data2 = static_cast<uint8_t>(value);
  return m;
}

TEST(CorvalentEffect, MidiModeControllerBoundaries) {
  struct Case {
    int data;
    int mode;
  };
  for (const Case c : {Case{127, 13}, Case{126, 12}, Case{118, 12}, Case{117, 11}, Case{0, 0}}) {
    TestEffect fx;
    FakeEditor* editor = fx.AttachFakeEditor();
    fx.Open(44100.0);
    const MidiMessage m = ControlChange(c.data % 16, 6, c.data);
    fx.HandleMidiMessage(&m);
    EXPECT_EQ(fx.ModeIndex(), c.mode) << c.data;
    EXPECT_EQ(editor->LitModeLights(), 1);
    EXPECT_EQ(editor->controls[12 + c.mode], 1.0);
    // The effect reacts first, then the host hears a gesture.
    ASSERT_EQ(fx.events.size(), 3u);
    EXPECT_EQ(fx.events[0].what, "begin");
    EXPECT_EQ(fx.events[0].modeAtEvent, c.mode);
    EXPECT_EQ(fx.events[1].what, "notify");
    EXPECT_EQ(fx.events[1].value, c.data / 127.0);
    EXPECT_EQ(fx.events[2].what, "end");
  }
}

TEST(CorvalentEffect, MidiPedalDeadZoneIsNotReported) {
  struct Case {
    int data;
    double pedal;
  };
  for (const Case c : {Case{6, 0.0}, Case{7, 7 / 127.0}, Case{127, 1.0}}) {
    TestEffect fx;
    FakeEditor* editor = fx.AttachFakeEditor();
    fx.Open(44100.0);
    fx.SetParam(CorvalentEffect::kParamPedal, 0.5);
    editor->parameterPushes.clear();
    const MidiMessage m = ControlChange(3, 4, c.data);
    fx.HandleMidiMessage(&m);
    EXPECT_EQ(fx.PedalPosition(), c.pedal);
    ASSERT_EQ(fx.events.size(), 1u);
    EXPECT_EQ(fx.events[0].what, "notify");
    EXPECT_EQ(fx.events[0].param, 4);
    EXPECT_EQ(fx.events[0].value, c.data / 127.0);
    EXPECT_EQ(fx.events[0].pedalAtEvent, 0.5);  // told before the action
    ASSERT_EQ(editor->parameterPushes.size(), 1u);
    EXPECT_EQ(editor->parameterPushes[0].param, 4);
    EXPECT_EQ(editor->parameterPushes[0].value, c.data / 127.0);
    EXPECT_FALSE(editor->parameterPushes[0].normalized);
    EXPECT_EQ(fx.Parameter(4)->Value(), 0.5);  // the parameter object is untouched
  }
}

TEST(CorvalentEffect, MidiSwitchesAndKnobs) {
  TestEffect fx;
  FakeEditor* editor = fx.AttachFakeEditor();
  fx.Open(44100.0);
  struct Step {
    int controller;
    int data;
    bool driveOn;
    bool pitchOn;
  };
  const Step steps[] = {{12, 63, true, false},
                        {12, 64, true, true},
                        {13, 0, false, true},
                        {13, 64, true, true},
                        {13, 63, false, true}};
  for (const Step& s : steps) {
    const MidiMessage m = ControlChange(9, s.controller, s.data);
    fx.HandleMidiMessage(&m);
    EXPECT_EQ(fx.DriveOn(), s.driveOn);
    EXPECT_EQ(fx.PitchOn(), s.pitchOn);
    EXPECT_EQ(editor->controls[10], s.driveOn ? 1.0 : 0.0);
    EXPECT_EQ(editor->controls[11], s.pitchOn ? 1.0 : 0.0);
    ASSERT_GE(fx.events.size(), 2u);
    EXPECT_EQ(fx.events[fx.events.size() - 2].value, s.data / 127.0);  // begin, notify, end
  }

  fx.events.clear();
  const MidiMessage level = ControlChange(0, 7, 127);
  fx.HandleMidiMessage(&level);
  EXPECT_EQ(fx.Drive().LevelGainValue(), LevelGain(1.0));
  ASSERT_EQ(fx.events.size(), 1u);
  EXPECT_EQ(fx.events[0].levelGainAtEvent, LevelGain(0.5));  // told before the action
  EXPECT_EQ(fx.Parameter(0)->Value(), 0.5);

  const MidiMessage drive = ControlChange(0, 9, 0);
  fx.HandleMidiMessage(&drive);
  EXPECT_EQ(fx.Drive().DriveAmount(), 0.0);
  const MidiMessage tone = ControlChange(0, 8, 0);
  fx.HandleMidiMessage(&tone);
  EXPECT_EQ(fx.Drive().Biquads().Coefficients(9).b0, [] {
    TestEffect other;
    other.Open(44100.0);
    other.SetParam(CorvalentEffect::kParamTone, 0.0);
    return other.Drive().Biquads().Coefficients(9).b0;
  }());
}

TEST(CorvalentEffect, OtherMidiMessagesChangeNothing) {
  TestEffect fx;
  FakeEditor* editor = fx.AttachFakeEditor();
  fx.Open(44100.0);
  editor->parameterPushes.clear();
  MidiMessage messages[] = {ControlChange(0, 5, 127), ControlChange(0, 10, 127),
                            ControlChange(0, 11, 127), ControlChange(0, 3, 127)};
  for (MidiMessage& m : messages) fx.HandleMidiMessage(&m);
  for (uint8_t status : {0x90, 0x80, 0xE0, 0xF0, 0xF8, 0x40}) {
    MidiMessage m = ControlChange(0, 6, 127);
    m.status = status;
    fx.HandleMidiMessage(&m);
  }
  fx.HandleMidiMessage(nullptr);
  EXPECT_EQ(fx.ModeIndex(), 0);
  EXPECT_TRUE(fx.events.empty());
  EXPECT_TRUE(editor->parameterPushes.empty());
}

TEST(CorvalentEffect, DriveOnlyImpulseGivesTheCheckSamples) {
  TestEffect fx;
  fx.Open(44100.0);
  SetRouting(fx, {true, false});
  const Signal out = fx.Run(Impulse(8, 0.5), Signal(8, 0.0));
  EXPECT_EQ(out[0], 0.008343128572473569);
  EXPECT_EQ(out[1], 0.023657835206819897);
  EXPECT_EQ(out[2], 0.04074488724489803);
  EXPECT_EQ(out[3], 0.06515412208752686);
}

TEST(CorvalentEffect, PitchDepthsAndControlBlocks) {
  TestEffect fx;
  fx.Open(44100.0);
  EXPECT_EQ(fx.Pitch().ControlBlockSamples(), 1378);
  EXPECT_EQ(fx.Pitch().DelaySamples(), 44100);
  fx.SetParam(CorvalentEffect::kParamPedal, 1.0);
  fx.SetParam(CorvalentEffect::kParamMode, 10.0 / 13.0 + 1e-9);
  ASSERT_EQ(fx.ModeIndex(), 10);
  fx.ApplyModeMapping();
  EXPECT_EQ(fx.Pitch().Mapping().targetDepth, 0.0833333334101738);
  fx.SetParam(CorvalentEffect::kParamMode, 11.0 / 13.0 + 1e-9);
  EXPECT_EQ(fx.Pitch().Mapping().targetDepth, 0.2500000000768404);

  TestEffect other;
  other.Open(48000.0);
  EXPECT_EQ(other.Pitch().ControlBlockSamples(), 1500);
  EXPECT_EQ(other.Pitch().DelaySamples(), 48000);
  // A fractional rate uses the truncated rate for the line only.
  other.SetSampleRate(44100.5);
  other.PrepareAudio();
  EXPECT_EQ(other.Pitch().ControlBlockSamples(), 1378);
  EXPECT_EQ(other.SampleRateInUse(), 44100.5);
}

TEST(CorvalentEffect, DriveOffModeZeroAddsDryToTheUnshiftedCopy) {
  TestEffect fx;
  fx.Open(44100.0);
  SetRouting(fx, {false, true});
  const Signal out = fx.Run(Impulse(4, 0.5), Signal(4, 0.0));
  EXPECT_EQ(out[0], 1.0);
}

// Drive off, pitch on, mode 5, during the first control block (depth 0): the
// shifted copy is the summed input and only the first channel is dry.
TEST(CorvalentEffect, DriveOffDryIsTheFirstChannelOnly) {
  const Signal signal = Noise(1000, 3);
  const Signal silence(1000, 0.0);
  struct Case {
    bool onFirst;
    double factor;
  };
  for (const Case c : {Case{true, 2.0}, Case{false, 1.0}}) {
    TestEffect fx;
    fx.Open(44100.0);
    fx.SetParam(CorvalentEffect::kParamMode, 5.0 / 13.0 + 1e-9);
    SetRouting(fx, {false, true});
    const Signal out = c.onFirst ? fx.Run(signal, silence) : fx.Run(silence, signal);
    for (size_t i = 0; i < out.size(); ++i) {
      ASSERT_NEAR(out[i], c.factor * signal[i], 1e-15) << i;
    }
  }
}

// Modes 9 to 13 at pedal 0 shift by nothing and add no dry signal: the output
// is the input (to within the crossfade's rounding); modes 0 to 8 add it.
TEST(CorvalentEffect, NoDrySignalInShiftOnlyModes) {
  const Signal signal = Noise(6000, 5);
  for (int mode = 9; mode < 14; ++mode) {
    TestEffect fx;
    fx.Open(44100.0);
    fx.SetParam(CorvalentEffect::kParamMode, mode / 13.0 + 1e-9);
    SetRouting(fx, {false, true});
    const Signal out = fx.Run(signal, Signal(signal.size(), 0.0));
    for (size_t i = 0; i < out.size(); ++i) ASSERT_NEAR(out[i], signal[i], 1e-15) << mode;
  }
  TestEffect fx;
  fx.Open(44100.0);
  fx.SetParam(CorvalentEffect::kParamPedal, 0.5);
  SetRouting(fx, {false, true});
  const Signal out = fx.Run(signal, Signal(signal.size(), 0.0));
  for (size_t i = 0; i < out.size(); ++i) ASSERT_NEAR(out[i], 2.0 * signal[i], 1e-15) << i;
}

// Any split of the same samples into blocks gives the same output, in every
// routing, across pedal checks and delay-line wraps.
TEST(CorvalentEffect, BlockSplitsDoNotChangeTheOutput) {
  const Signal in0 = Noise(50000, 8), in1 = Noise(50000, 9);
  for (const Routing r : kRoutings) {
    Signal expected;
    for (int split : {50000, 1, 333, 1024}) {
      TestEffect fx;
      fx.Open(44100.0);
      fx.SetParam(CorvalentEffect::kParamPedal, 0.7);
      SetRouting(fx, r);
      Signal out;
      for (size_t at = 0; at < in0.size(); at += split) {
        const size_t n = std::min<size_t>(split, in0.size() - at);
        const Signal part = fx.Run(Signal(in0.begin() + at, in0.begin() + at + n),
                                   Signal(in1.begin() + at, in1.begin() + at + n));
        out.insert(out.end(), part.begin(), part.end());
      }
      if (expected.empty()) {
        expected = out;
      } else {
        ASSERT_TRUE(out == expected) << r.drive << r.pitch << " split " << split;
      }
    }
  }
}

TEST(CorvalentEffect, BothSectionsOffPassTheSum) {
  TestEffect fx;
  fx.Open(44100.0);
  SetRouting(fx, {false, false});
  const Signal a = Noise(100, 1), b = Noise(100, 2);
  const Signal out = fx.Run(a, b);
  for (size_t i = 0; i < out.size(); ++i) ASSERT_EQ(out[i], b[i] + a[i]);
}

// Switching a section off and on resumes its filters and delay line where
// they stopped; the switch takes effect at the next block.
TEST(CorvalentEffect, StateSurvivesSwitchChanges) {
  const Signal a = Noise(3000, 21), b = Noise(2000, 22), c = Noise(3000, 23);
  TestEffect steady;
  steady.Open(44100.0);
  steady.Run(a, a);
  const Signal expected = steady.Run(c, c);

  TestEffect toggled;
  toggled.Open(44100.0);
  toggled.Run(a, a);
  SetRouting(toggled, {false, false});
  const Signal passed = toggled.Run(b, b);
  for (size_t i = 0; i < b.size(); ++i) ASSERT_EQ(passed[i], b[i] + b[i]);
  SetRouting(toggled, {true, true});
  EXPECT_TRUE(toggled.Run(c, c) == expected);
}

// Only a new rate clears the filters and the pitch engine.
TEST(CorvalentEffect, SetUpRunsOnlyOnANewRate) {
  const Signal a = Noise(4000, 31), b = Noise(4000, 32);
  TestEffect reference;
  reference.Open(44100.0);
  reference.Run(a, a);
  const Signal continued = reference.Run(b, b);
  TestEffect fresh;
  fresh.Open(44100.0);
  const Signal fromSilence = fresh.Run(b, b);

  TestEffect fx;
  fx.Open(44100.0);
  fx.Run(a, a);
  fx.PrepareAudio();
  fx.SetBlockSize(512);
  fx.PrepareAudio();
  EXPECT_TRUE(fx.Run(b, b) == continued);

  TestEffect moved;
  moved.Open(44100.0);
  moved.Run(a, a);
  moved.SetSampleRate(48000.0);
  moved.PrepareAudio();
  moved.SetSampleRate(44100.0);
  moved.PrepareAudio();
  EXPECT_TRUE(moved.Run(b, b) == fromSilence);
}

TEST(CorvalentEffect, UnusableSampleRatesKeepThePreviousSetUp) {
  TestEffect fx;
  fx.Open(48000.0);
  for (double rate : {0.0, -44100.0, 31.0, 1e12, std::numeric_limits<double>::quiet_NaN(),
                      std::numeric_limits<double>::infinity()}) {
    fx.SetSampleRate(rate);
    fx.PrepareAudio();
    EXPECT_EQ(fx.SampleRateInUse(), 48000.0) << rate;
    EXPECT_EQ(fx.Pitch().DelaySamples(), 48000) << rate;
  }
  // A refused first rate leaves the effect without a set-up, still usable.
  TestEffect unset;
  unset.SetSampleRate(0.0);
  unset.Open(0.0);
  EXPECT_FALSE(unset.Pitch().Ready());
  for (const Routing r : kRoutings) {
    SetRouting(unset, r);
    for (double v : unset.Run(Noise(3000, 4), Noise(3000, 5))) ASSERT_TRUE(std::isfinite(v));
  }
}

TEST(CorvalentEffect, BlocksBeforeAnySetUpAreSafe) {
  for (const Routing r : kRoutings) {
    TestEffect fx;
    {
      PlugLock lock(fx.Mutex());
      fx.ResetAllParameters();
    }
    SetRouting(fx, r);
    const Signal a = Noise(2000, 6);
    const Signal out = fx.Run(a, a);
    for (size_t i = 0; i < out.size(); ++i) {
      ASSERT_TRUE(std::isfinite(out[i]));
      if (!r.drive) {
        ASSERT_EQ(out[i], a[i] + a[i]);  // pitch sits out without a line
      }
    }
  }
}

// NaN, infinity or absurd magnitudes in the input are taken as silence: the
// output afterwards is what silence would have given.
TEST(CorvalentEffect, NonFiniteInputDoesNotPoisonTheState) {
  const double bad[] = {std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity(),
                        -std::numeric_limits<double>::infinity(), 1e300};
  const Signal after = Noise(5000, 41);
  for (const Routing r : kRoutings) {
    TestEffect clean;
    clean.Open(44100.0);
    SetRouting(clean, r);
    const Signal quiet = clean.Run(Signal(64, 0.0), Signal(64, 0.0));
    const Signal expected = clean.Run(after, after);
    for (double v : bad) {
      TestEffect fx;
      fx.Open(44100.0);
      SetRouting(fx, r);
      Signal poisoned(64, 0.0);
      poisoned[10] = v;
      poisoned[40] = v;
      EXPECT_TRUE(fx.Run(poisoned, Signal(64, 0.0)) == quiet);
      EXPECT_TRUE(fx.Run(after, after) == expected) << r.drive << r.pitch << " " << v;
    }
  }
}

TEST(CorvalentEffect, NullOrEmptyBlocksAreRefused) {
  TestEffect fx;
  fx.Open(44100.0);
  double buffer[4] = {1.0, 2.0, 3.0, 4.0};
  double* one[2] = {buffer, nullptr};
  double* two[2] = {buffer, buffer};
  fx.ProcessAudio(nullptr, nullptr, 4);
  fx.ProcessAudio(one, two, 4);
  fx.ProcessAudio(two, one, 4);
  fx.ProcessAudio(two, two, 0);
  fx.ProcessAudio(two, two, -5);
  EXPECT_EQ(buffer[0], 1.0);
  EXPECT_EQ(buffer[3], 4.0);
}

}  // namespace
