#pragma once

#include "effect/DrivePath.h"
#include "effect/PitchEngine.h"
#include "framework/vst/IProcessorVST.h"

// The host binding this effect is built on; the only place that names it.
using CorvalentEffectBase = IProcessorVST;

// Positions of the effect's lights in the editor's control list; -1 for none.
struct EffectLights {
  int drive = -1;
  int pitch = -1;
  int modes[kPitchModes] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
};

// The pedal effect: a pitch section (a two-tap shifter bent by an expression
// pedal) feeding a drive section, each on its own foot switch. Mono inside:
// the inputs are summed and every output gets the same signal.
class CorvalentEffect : public CorvalentEffectBase {
 public:
  enum ParamIndex : int {
    kParamLevel = 0,
    kParamDrive = 1,
    kParamTone = 2,
    kParamMode = 3,
    kParamPedal = 4,
    kParamDistortion = 5,
    kParamPitchSwitch = 6,
    kParamCount = 7,
  };

  // A null host callback gives an effect that runs without a host to tell.
  explicit CorvalentEffect(vst::audioMasterCallback hostCallback = nullptr);

  // Redesigns every filter and resets the pitch engine when the base's sample
  // rate differs from the one last set up for. Rates outside 32 Hz .. 768 kHz
  // (NaN included) are refused and the previous set-up stays. Takes the lock.
  void PrepareAudio() override;
  // Takes the lock.
  void ParameterChanged(int paramIndex) override;
  // Runs on the host's audio thread with the plug-in lock held; reads two
  // input and two output channels. Allocates nothing. Samples that are not
  // finite (or beyond +-1e30) are taken as silence, so they cannot poison the
  // filter and delay-line states.
  void ProcessAudio(double** inputs, double** outputs, int nFrames) override;
  // Control changes 4, 6, 7, 8, 9, 12 and 13 on any channel; called with the
  // lock held.
  void HandleMidiMessage(const MidiMessage* message) override;

  // Recomputes the pitch mapping from mode, pedal and sample rate.
  void ApplyModeMapping() { pitch_.ApplyModeMapping(); }
  // The editor layout tells where it put the lights.
  void SetLights(const EffectLights& lights) { lights_ = lights; }

  // Working state, for inspection.
  int ModeIndex() const { return pitch_.Mode(); }
  double PedalPosition() const { return pitch_.Pedal(); }
  bool DriveOn() const { return driveOn_; }
  bool PitchOn() const { return pitchOn_; }
  double SampleRateInUse() const { return sampleRate_; }
  const DrivePath& Drive() const { return drive_; }
  const PitchEngine& Pitch() const { return pitch_; }

 private:
  // Frames the drive path works on at a time.
  static constexpr int kChunkFrames = 256;

  // The working-state reaction to a parameter's plain value, shared by
  // parameter changes and control changes.
  void React(int paramIndex, double value);
  void SelectMode(double value);
  void SetSwitch(bool& on, int light, double value);
  void PushLight(int control, double value);

  void ProcessPassThrough(double** inputs, double** outputs, int nFrames);
  void ProcessPitchOnly(double** inputs, double** outputs, int nFrames);
  template <bool kWithPitch>
  void ProcessDrive(double** inputs, double** outputs, int nFrames);

  DrivePath drive_;
  PitchEngine pitch_;
  double sampleRate_;
  double lastSetUpRate_;
  double tone_ = 0.5;
  bool driveOn_ = false;
  bool pitchOn_ = false;
  EffectLights lights_;
  double chunk_[kChunkFrames] = {};
};
