#pragma once

#include "effect/BiquadBank.h"
#include "effect/OnePoleBank.h"

// The drive section: input filter, three parallel clipping branches, level,
// tone pair and voicing cascade, with every filter slot they run. The states
// persist across blocks; only Design clears them.
class DrivePath {
 public:
  // Clears every state and designs every slot for the sample rate.
  void Design(double sampleRate, double tone);
  // Redesigns the tone pair only, keeping its states.
  void SetTone(double tone, double sampleRate);
  void SetLevelGain(double gain) { levelGain_ = gain; }
  void SetDriveAmount(double amount) { driveAmount_ = amount; }
  double LevelGainValue() const { return levelGain_; }
  double DriveAmount() const { return driveAmount_; }

  // One sample through the whole path, every stage in turn.
  double ProcessSample(double x);
  // The same results for each sample of `samples`, in place; faster because
  // the tone pair and the voicing run as one pipelined series, and because
  // filter states that decay towards zero are cleared before they turn
  // subnormal (which leaves every output as it is).
  void ProcessBlock(double* samples, int count);

  double FixedClipBranch(double v);
  double DriveClipBranch(double v);
  double BandClipBranch(double x);
  double VoicingCascade(double t);

  const BiquadBank& Biquads() const { return biquads_; }
  const OnePoleBank& PolesA() const { return polesA_; }
  const OnePoleBank& PolesB() const { return polesB_; }

 private:
  // Input filter, branches and level: everything before the tone pair.
  double DriveStage(double x);

  BiquadBank biquads_;
  OnePoleBank polesA_;
  OnePoleBank polesB_;
  double levelGain_ = 0.0;
  double driveAmount_ = 0.0;
};
