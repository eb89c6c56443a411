#pragma once

#include <string>
#include <vector>

#include "effect/CorvalentEffect.h"
#include "framework/editor/IEditorBase.h"

// Records what the effect pushes into an editor: one value per control.
class FakeEditor : public IEditorBase {
 public:
  static constexpr int kControls = 27;
  void CreateDrawSurface() override {}
  void PushParameterToControls(int paramIndex, double value, bool normalized) override {
    parameterPushes.push_back({paramIndex, value, normalized});
  }
  void PushValueToControl(int controlIndex, double value) override {
    if (controlIndex >= 0 && controlIndex < kControls) controls[controlIndex] = value;
  }
  int LitModeLights() const {
    int lit = 0;
    for (int i = 12; i < 26; ++i) lit += controls[i] != 0.0;
    return lit;
  }

  struct ParameterPush {
    int param;
    double value;
    bool normalized;
  };
  std::vector<ParameterPush> parameterPushes;
  double controls[kControls] = {};
};

// What the host heard, in order, with the effect's state at that moment.
struct HostEvent {
  std::string what;
  int param;
  double value;
  int modeAtEvent;
  double pedalAtEvent;
  double levelGainAtEvent;
  bool driveOnAtEvent;
};

// The effect with the host-facing operations a binding would supply.
class TestEffect : public CorvalentEffect {
 public:
  void BeginParamGesture(int p) override { Record("begin", p, 0.0); }
  void NotifyHostParamChange(int p, double v) override { Record("notify", p, v); }
  void EndParamGesture(int p) override { Record("end", p, 0.0); }
  int64_t GetSamplePosition() override { return 0; }
  double GetHostTempo() override { return 120.0; }
  void GetTimeSignature(int* numerator, int* denominator) override {
    *numerator = 4;
    *denominator = 4;
  }
  void EditorResized(int, int) override {}
  void HostSpecificSetup() override {}
  bool SendMidiMessage(const MidiMessage*) override { return false; }
  bool SendMidiMessages(const MidiMessage*, int) override { return false; }

  // Attaches a fake editor with the lights where the editor layout puts them
  // and returns it (owned by the effect).
  FakeEditor* AttachFakeEditor() {
    EffectLights lights;
    lights.drive = 10;
    lights.pitch = 11;
    for (int m = 0; m < kPitchModes; ++m) lights.modes[m] = 12 + m;
    SetLights(lights);
    auto* editor = new FakeEditor;
    AttachEditor(editor);
    return editor;
  }
  // What a host does on opening: every parameter reacts, then the rate is set.
  void Open(double sampleRate) {
    PlugLock lock(Mutex());
    ResetAllParameters();
    SetSampleRate(sampleRate);
    PrepareAudio();
  }
  void SetParam(int index, double value) {
    if (IParameter* p = Parameter(index)) p->SetValue(value);
    ParameterChanged(index);
  }
  // Runs a stereo block; returns output 0 after checking output 1 equals it.
  std::vector<double> Run(const std::vector<double>& in0, const std::vector<double>& in1) {
    std::vector<double> a = in0, b = in1, out0(in0.size()), out1(in0.size());
    double* ins[2] = {a.data(), b.data()};
    double* outs[2] = {out0.data(), out1.data()};
    ProcessAudio(ins, outs, static_cast<int>(in0.size()));
    if (out0 != out1) out0.assign(out0.size(), -999.0);
    return out0;
  }

  std::vector<HostEvent> events;

 private:
  void Record(const char* what, int p, double v) {
    events.push_back(
        {what, p, v, ModeIndex(), PedalPosition(), Drive().LevelGainValue(), DriveOn()});
  }
};
