#include "effect/CorvalentEffect.h"

#include <cmath>
#include <limits>

#include "effect/LevelLaw.h"
#include "framework/editor/IEditorBase.h"

namespace {

constexpr int FourCharCode(const char (&code)[5]) {
  return (code[0] << 24) | (code[1] << 16) | (code[2] << 8) | code[3];
}

constexpr int kPresetCount = 16;
constexpr int kVendorVersion = 0x20100;
constexpr double kMinSampleRateHz = PitchEngine::kMinDelaySamples;
// Far above any real rate; keeps the one-second delay line within 6 MB.
constexpr double kMaxSampleRateHz = 768000.0;
// Input beyond this is not audio; taking it as silence also catches NaN and
// infinity before they reach a recursive state.
constexpr double kLargestInput = 1e30;
// Controller 4 below this moves the pedal to its heel position.
constexpr double kPedalDeadZone = 0.05;

double CleanInput(double x) {
  return std::fabs(x) <= kLargestInput ? x : 0.0;
}

// A controller of the MIDI chart: the parameter it stands for, and whether the
// host hears of it as a gesture after the effect has reacted (the switches
// and the mode) or before (the knobs and the pedal).
struct ControllerRow {
  int controller;
  int param;
  bool gesture;
};

constexpr ControllerRow kControllers[] = {
    {4, CorvalentEffect::kParamPedal, false},      {6, CorvalentEffect::kParamMode, true},
    {7, CorvalentEffect::kParamLevel, false},      {8, CorvalentEffect::kParamTone, false},
    {9, CorvalentEffect::kParamDrive, false},      {12, CorvalentEffect::kParamPitchSwitch, true},
    {13, CorvalentEffect::kParamDistortion, true},
};

constexpr int kControlChange = 11;

int StatusKind(const MidiMessage& m) {
  return m.status >= 0x80 && m.status <= 0xEF ? m.status >> 4 : 0;
}

}  // namespace

CorvalentEffect::CorvalentEffect(vst::audioMasterCallback hostCallback)
    : CorvalentEffectBase(hostCallback, kParamCount, "1-1 2-2", kPresetCount, "Corvalent", "",
                          "Velorbit", kVendorVersion, FourCharCode("mvk7"), FourCharCode("Velo"), 0,
                          true, false, false),
      sampleRate_(SampleRate()),
      lastSetUpRate_(std::numeric_limits<double>::quiet_NaN()) {
  Parameter(kParamLevel)->InitContinuous("Level", 0.5, 0.0, 1.0, 0.001, "");
  Parameter(kParamDrive)->InitContinuous("Drive", 0.5, 0.0, 1.0, 0.001, "");
  Parameter(kParamTone)->InitContinuous("Tone", 0.5, 0.0, 1.0, 0.001, "");
  Parameter(kParamMode)->InitContinuous("Mode", 0.0, 0.0, 1.0, 0.001, "");
  Parameter(kParamPedal)->InitContinuous("Pitch", 0.0, 0.0, 1.0, 0.001, "");
  for (int index : {kParamDistortion, kParamPitchSwitch}) {
    IParameter* p = Parameter(index);
    p->InitEnumerated(index == kParamDistortion ? "Distortion" : "Pitch", 1, 2);
    p->SetDisplayText(0, "Off");
    p->SetDisplayText(1, "On");
  }
  DefinePreset("Init", 0.5, 0.5, 0.5, 0.0, 0.0, 1, 1);
  DefineDefaultPresets("Init", kPresetCount - 1);
  pitch_.SetSampleRate(sampleRate_);
}

void CorvalentEffect::PrepareAudio() {
  PlugLock lock(Mutex());
  const double rate = SampleRate();
  if (!(rate >= kMinSampleRateHz && rate <= kMaxSampleRateHz)) return;
  if (rate == lastSetUpRate_) return;
  if (!pitch_.Reset(static_cast<int>(rate))) return;
  sampleRate_ = rate;
  lastSetUpRate_ = rate;
  pitch_.SetSampleRate(rate);
  drive_.Design(rate, tone_);
}

void CorvalentEffect::ParameterChanged(int paramIndex) {
  PlugLock lock(Mutex());
  if (const IParameter* p = Parameter(paramIndex)) React(paramIndex, p->Value());
}

void CorvalentEffect::React(int paramIndex, double value) {
  switch (paramIndex) {
    case kParamLevel:
      drive_.SetLevelGain(LevelGain(value));
      break;
    case kParamDrive:
      drive_.SetDriveAmount(value);
      break;
    case kParamTone:
      tone_ = value;
      drive_.SetTone(value, sampleRate_);
      break;
    case kParamMode:
      SelectMode(value);
      break;
    case kParamPedal:
      pitch_.SetPedal(value);
      break;
    case kParamDistortion:
      SetSwitch(driveOn_, lights_.drive, value);
      break;
    case kParamPitchSwitch:
      SetSwitch(pitchOn_, lights_.pitch, value);
      break;
    default:
      break;
  }
}

void CorvalentEffect::SelectMode(double value) {
  // Values outside 0..1 (a host may send them) select the nearest end mode.
  const double v = value > 1.0 ? 1.0 : (value >= 0.0 ? value : 0.0);
  pitch_.SelectMode(static_cast<int>(v * (kPitchModes - 1)));
  for (int control : lights_.modes) PushLight(control, 0.0);
  PushLight(lights_.modes[pitch_.Mode()], 1.0);
}

void CorvalentEffect::SetSwitch(bool& on, int light, double value) {
  // The value truncated toward zero: 0 is off, 1 is on, anything else is
  // ignored (compared rather than converted, so no value can overflow).
  if (value > -1.0 && value < 1.0) {
    PushLight(light, 0.0);
    on = false;
  } else if (value >= 1.0 && value < 2.0) {
    PushLight(light, 1.0);
    on = true;
  }
}

void CorvalentEffect::PushLight(int control, double value) {
  if (IEditorBase* editor = Editor()) editor->PushValueToControl(control, value);
}

void CorvalentEffect::HandleMidiMessage(const MidiMessage* message) {
  if (!message || StatusKind(*message) != kControlChange) return;
  for (const ControllerRow& row : kControllers) {
    if (row.controller != message->data1) continue;
    const double v = message->data2 / 127.0;
    if (IEditorBase* editor = Editor()) editor->PushParameterToControls(row.param, v, false);
    double action = v;
    if (row.param == kParamPedal && v < kPedalDeadZone) action = 0.0;
    if (row.param == kParamDistortion || row.param == kParamPitchSwitch) {
      action = std::trunc(v + 0.5);
    }
    if (row.gesture) {
      React(row.param, action);
      BeginParamGesture(row.param);
      NotifyHostParamChange(row.param, v);
      EndParamGesture(row.param);
    } else {
      NotifyHostParamChange(row.param, v);
      React(row.param, action);
    }
    return;
  }
}

void CorvalentEffect::ProcessAudio(double** inputs, double** outputs, int nFrames) {
  if (nFrames <= 0 || !inputs || !outputs || NInputs() < 2 || NOutputs() < 2) return;
  if (!inputs[0] || !inputs[1] || !outputs[0] || !outputs[1]) return;
  // Without a set-up there is no delay line: the pitch section sits out.
  const bool pitchOn = pitchOn_ && pitch_.Ready();
  if (driveOn_) {
    if (pitchOn) {
      ProcessDrive<true>(inputs, outputs, nFrames);
    } else {
      ProcessDrive<false>(inputs, outputs, nFrames);
    }
  } else if (pitchOn) {
    ProcessPitchOnly(inputs, outputs, nFrames);
  } else {
    ProcessPassThrough(inputs, outputs, nFrames);
  }
}

void CorvalentEffect::ProcessPassThrough(double** inputs, double** outputs, int nFrames) {
  const double* in0 = inputs[0];
  const double* in1 = inputs[1];
  for (int i = 0; i < nFrames; ++i) {
    const double y = CleanInput(in1[i]) + CleanInput(in0[i]);
    outputs[1][i] = y;
    outputs[0][i] = y;
  }
}

void CorvalentEffect::ProcessPitchOnly(double** inputs, double** outputs, int nFrames) {
  const double* in0 = inputs[0];
  const double* in1 = inputs[1];
  for (int i = 0; i < nFrames; ++i) {
    const double dry = CleanInput(in0[i]);
    const double y = pitch_.StepInterpolating(CleanInput(in1[i]) + dry, dry);
    outputs[1][i] = y;
    outputs[0][i] = y;
  }
}

template <bool kWithPitch>
void CorvalentEffect::ProcessDrive(double** inputs, double** outputs, int nFrames) {
  for (int at = 0; at < nFrames; at += kChunkFrames) {
    const int n = nFrames - at < kChunkFrames ? nFrames - at : kChunkFrames;
    const double* in0 = inputs[0] + at;
    const double* in1 = inputs[1] + at;
    for (int i = 0; i < n; ++i) {
      const double x = CleanInput(in1[i]) + CleanInput(in0[i]);
      chunk_[i] = kWithPitch ? pitch_.StepNearest(x, x) : x;
    }
    drive_.ProcessBlock(chunk_, n);
    double* out0 = outputs[0] + at;
    double* out1 = outputs[1] + at;
    for (int i = 0; i < n; ++i) {
      out1[i] = chunk_[i];
      out0[i] = chunk_[i];
    }
  }
}
