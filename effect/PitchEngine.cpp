#include "effect/PitchEngine.h"

#include <new>

bool PitchEngine::Reset(int delaySamples) {
  if (delaySamples < kMinDelaySamples) return false;
  std::unique_ptr<double[]> line(new (std::nothrow) double[delaySamples]());
  if (!line) return false;
  line_ = std::move(line);
  length_ = delaySamples;
  blockLength_ = delaySamples / 32;
  sampleCount_ = 0;
  depthStep_ = 0.0;
  depth_ = 0.0;
  lastPedalSeen_ = -1.0;
  writeIndex_ = 0;
  phase1_ = 0.0;
  phase2_ = 0.5;
  triangle_ = 0.0;
  return true;
}

void PitchEngine::SetSampleRate(double sampleRate) {
  sampleRate_ = sampleRate;
  ApplyModeMapping();
}

void PitchEngine::SelectMode(int mode) {
  if (mode < 0 || mode >= kPitchModes) return;
  mode_ = mode;
  ApplyModeMapping();
  lastPedalSeen_ = -1.0;
}

void PitchEngine::SetPedal(double position) {
  pedal_ = position > 1.0 ? 1.0 : (position >= 0.0 ? position : 0.0);
}

void PitchEngine::ApplyModeMapping() {
  ComputePitchMapping(mode_, pedal_, sampleRate_, mapping_);
}
