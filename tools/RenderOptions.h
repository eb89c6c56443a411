#pragma once
// The command line of corvalent-render.

#include <string>
#include <vector>

#include "tools/AudioFile.h"
#include "tools/PluginHost.h"

namespace render {

// A parameter moved linearly from one normalised value to another.
struct ParameterRamp {
  std::string parameter;  // name or index
  double from = 0.0;
  double to = 0.0;
  double startSeconds = 0.0;
  double endSeconds = 0.0;
};

// A MIDI controller moved linearly through 7-bit values; a single control
// change is a ramp with equal ends and times.
struct ControllerRamp {
  int controller = 0;
  int channel = 0;
  int from = 0;
  int to = 0;
  double startSeconds = 0.0;
  double endSeconds = 0.0;
};

struct RenderOptions {
  std::string pluginPath;  // empty: the module built beside the executable
  std::string inputPath;   // empty: the demo riff
  std::string outputPath;
  std::string productString = "corvalent-render";
  RawFormat raw;
  int blockSize = 512;
  double tailSeconds = 0.0;
  ProcessKind processKind = ProcessKind::Replacing;
  int program = -1;
  std::vector<std::pair<std::string, double>> settings;
  std::vector<ParameterRamp> ramps;
  std::vector<ControllerRamp> controllers;
  std::string loadChunkPath;
  std::string saveChunkPath;
  bool bankChunk = false;
  bool listOnly = false;
  bool pcm16 = false;
  bool quiet = false;
};

extern const char* const kUsage;

// False with a message in error for anything malformed.
bool ParseRenderOptions(int argc, char** argv, RenderOptions& options, std::string& error);

}  // namespace render
