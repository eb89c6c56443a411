#include "tools/Automation.h"

namespace render {

double RampValue(double from, double to, double startSeconds, double endSeconds, double seconds) {
  if (seconds <= startSeconds) return from;
  if (seconds >= endSeconds) return to;
  return from + (to - from) * ((seconds - startSeconds) / (endSeconds - startSeconds));
}

bool Automation::Prepare(const RenderOptions& options, PluginHost& host, double sampleRate,
                         std::string& error) {
  sampleRate_ = sampleRate;
  for (const ParameterRamp& ramp : options.ramps) {
    const int index = host.FindParameter(ramp.parameter);
    if (index < 0) {
      error = "no parameter named " + ramp.parameter;
      return false;
    }
    ramps_.push_back({index, ramp, -1.0f});
  }
  for (const ControllerRamp& ramp : options.controllers) controllers_.push_back({ramp, -1});
  return true;
}

void Automation::ApplyBlock(PluginHost& host, long long firstFrame, int frames) {
  const double blockStart = static_cast<double>(firstFrame) / sampleRate_;
  for (ResolvedRamp& r : ramps_) {
    const float value = static_cast<float>(
        RampValue(r.ramp.from, r.ramp.to, r.ramp.startSeconds, r.ramp.endSeconds, blockStart));
    if (value != r.lastSent) {
      host.SetParameter(r.index, value);
      r.lastSent = value;
    }
  }

  std::vector<PluginHost::ControlChange> changes;
  for (int offset = 0; offset < frames; ++offset) {
    const double seconds = static_cast<double>(firstFrame + offset) / sampleRate_;
    for (PendingController& c : controllers_) {
      if (seconds < c.ramp.startSeconds || c.lastSent == c.ramp.to) continue;
      const int value = static_cast<int>(
          RampValue(c.ramp.from, c.ramp.to, c.ramp.startSeconds, c.ramp.endSeconds, seconds) + 0.5);
      if (value != c.lastSent) {
        changes.push_back({offset, c.ramp.channel, c.ramp.controller, value});
        c.lastSent = value;
      }
    }
  }
  host.SendControlChanges(changes);
}

}  // namespace render
