#pragma once
// Plays the scheduled parameter ramps and controller sweeps into a plug-in,
// one block at a time.

#include <vector>

#include "tools/PluginHost.h"
#include "tools/RenderOptions.h"

namespace render {

class Automation {
 public:
  // Resolves the ramps' parameter names; false with error for an unknown one.
  bool Prepare(const RenderOptions& options, PluginHost& host, double sampleRate,
               std::string& error);

  // Parameter ramps take the value of the block's first frame; control changes
  // land on the frame where their 7-bit value changes.
  void ApplyBlock(PluginHost& host, long long firstFrame, int frames);

 private:
  struct ResolvedRamp {
    int index;
    ParameterRamp ramp;
    float lastSent;
  };
  struct PendingController {
    ControllerRamp ramp;
    int lastSent;
  };

  std::vector<ResolvedRamp> ramps_;
  std::vector<PendingController> controllers_;
  double sampleRate_ = 48000.0;
};

// The linear path from `from` at start to `to` at end, held outside.
double RampValue(double from, double to, double startSeconds, double endSeconds, double seconds);

}  // namespace render
