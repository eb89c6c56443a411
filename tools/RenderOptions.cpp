#include "tools/RenderOptions.h"

#include <cstdlib>
#include <cstring>
#include <sstream>

namespace render {

const char* const kUsage =
    "usage: corvalent-render [--plugin MODULE] [--in IN.wav] --out OUT.wav [options]\n"
    "  --plugin MODULE        VST 2.4 module to load (default: the Corvalent module beside\n"
    "                         this program)\n"
    "  --in FILE              input audio (default: the built-in guitar riff)\n"
    "  --out FILE             output audio (.wav, or .raw/.f32 for headerless float32)\n"
    "  --list                 list parameters, values and programs, then stop\n"
    "  --set NAME=VALUE       set a parameter (name or index) to a normalised value\n"
    "  --program N            select program N before rendering\n"
    "  --ramp NAME=A:B:T0:T1  move a parameter from A to B between T0 and T1 seconds\n"
    "  --cc T:CC:V[:CH]       send control change CC with value V at T seconds\n"
    "  --cc-ramp CC=A:B:T0:T1 sweep controller CC from value A to B between T0 and T1\n"
    "  --load-chunk FILE      restore the plug-in state from a chunk file\n"
    "  --save-chunk FILE      save the plug-in state after the render\n"
    "  --bank                 exchange whole-bank chunks instead of program chunks\n"
    "  --rate HZ              sample rate of the demo riff and of raw input (48000)\n"
    "  --channels N           channel count of raw input files (2)\n"
    "  --block N              frames per processing call (512)\n"
    "  --tail SECONDS         silence appended after the input (0)\n"
    "  --process KIND         replacing (default), accumulate or double\n"
    "  --host-product TEXT    product string this host reports to the plug-in\n"
    "  --pcm16                write 16-bit PCM instead of 32-bit float WAV\n"
    "  --quiet                no progress bar and no summary\n";

namespace {

bool ParseNumber(const std::string& text, double& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return *end == '\0';
}

bool ParseInteger(const std::string& text, int& value) {
  double number = 0.0;
  if (!ParseNumber(text, number) || number != static_cast<double>(static_cast<int>(number))) {
    return false;
  }
  value = static_cast<int>(number);
  return true;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::stringstream stream(text);
  std::string part;
  while (std::getline(stream, part, separator)) parts.push_back(part);
  if (!text.empty() && text.back() == separator) parts.emplace_back();
  return parts;
}

// "NAME=A:B:T0:T1" into a name and four numbers.
bool ParseRampText(const std::string& text, std::string& name, double values[4]) {
  const size_t equals = text.rfind('=');
  if (equals == std::string::npos || equals == 0) return false;
  name = text.substr(0, equals);
  const std::vector<std::string> parts = Split(text.substr(equals + 1), ':');
  if (parts.size() != 4) return false;
  for (int i = 0; i < 4; ++i) {
    if (!ParseNumber(parts[static_cast<size_t>(i)], values[i])) return false;
  }
  return values[2] >= 0.0 && values[3] >= values[2];
}

bool ValidController(int controller, int value) {
  return controller >= 0 && controller < 128 && value >= 0 && value < 128;
}

}  // namespace

bool ParseRenderOptions(int argc, char** argv, RenderOptions& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    const bool flag = option == "--list" || option == "--bank" || option == "--pcm16" ||
                      option == "--quiet" || option == "--help" || option == "-h";
    if (!flag && i + 1 >= argc) {
      error = option + " needs a value";
      return false;
    }
    const std::string value = flag ? std::string() : argv[++i];
    bool ok = true;
    if (option == "--help" || option == "-h") {
      error = "";
      return false;
    } else if (option == "--plugin") {
      options.pluginPath = value;
    } else if (option == "--in") {
      options.inputPath = value;
    } else if (option == "--out") {
      options.outputPath = value;
    } else if (option == "--list") {
      options.listOnly = true;
    } else if (option == "--bank") {
      options.bankChunk = true;
    } else if (option == "--pcm16") {
      options.pcm16 = true;
    } else if (option == "--quiet") {
      options.quiet = true;
    } else if (option == "--host-product") {
      options.productString = value;
    } else if (option == "--load-chunk") {
      options.loadChunkPath = value;
    } else if (option == "--save-chunk") {
      options.saveChunkPath = value;
    } else if (option == "--set") {
      const size_t equals = value.rfind('=');
      double number = 0.0;
      ok = equals != std::string::npos && equals > 0 &&
           ParseNumber(value.substr(equals + 1), number);
      if (ok) options.settings.emplace_back(value.substr(0, equals), number);
    } else if (option == "--program") {
      ok = ParseInteger(value, options.program) && options.program >= 0;
    } else if (option == "--ramp") {
      ParameterRamp ramp;
      double numbers[4];
      ok = ParseRampText(value, ramp.parameter, numbers);
      if (ok) {
        ramp.from = numbers[0];
        ramp.to = numbers[1];
        ramp.startSeconds = numbers[2];
        ramp.endSeconds = numbers[3];
        options.ramps.push_back(ramp);
      }
    } else if (option == "--cc") {
      const std::vector<std::string> parts = Split(value, ':');
      ControllerRamp cc;
      ok = (parts.size() == 3 || parts.size() == 4) && ParseNumber(parts[0], cc.startSeconds) &&
           cc.startSeconds >= 0.0 && ParseInteger(parts[1], cc.controller) &&
           ParseInteger(parts[2], cc.from) &&
           (parts.size() == 3 || ParseInteger(parts[3], cc.channel)) &&
           ValidController(cc.controller, cc.from) && cc.channel >= 0 && cc.channel < 16;
      cc.to = cc.from;
      cc.endSeconds = cc.startSeconds;
      if (ok) options.controllers.push_back(cc);
    } else if (option == "--cc-ramp") {
      std::string controller;
      double numbers[4];
      ControllerRamp cc;
      ok = ParseRampText(value, controller, numbers) && ParseInteger(controller, cc.controller);
      cc.from = static_cast<int>(numbers[0]);
      cc.to = static_cast<int>(numbers[1]);
      cc.startSeconds = numbers[2];
      cc.endSeconds = numbers[3];
      ok = ok && ValidController(cc.controller, cc.from) && ValidController(cc.controller, cc.to);
      if (ok) options.controllers.push_back(cc);
    } else if (option == "--rate") {
      ok = ParseNumber(value, options.raw.sampleRate) && options.raw.sampleRate >= 8000.0 &&
           options.raw.sampleRate <= 384000.0;
    } else if (option == "--channels") {
      ok = ParseInteger(value, options.raw.channels) && options.raw.channels >= 1 &&
           options.raw.channels <= 64;
    } else if (option == "--block") {
      ok = ParseInteger(value, options.blockSize) && options.blockSize >= 1 &&
           options.blockSize <= 65536;
    } else if (option == "--tail") {
      ok = ParseNumber(value, options.tailSeconds) && options.tailSeconds >= 0.0 &&
           options.tailSeconds <= 3600.0;
    } else if (option == "--process") {
      if (value == "replacing") {
        options.processKind = ProcessKind::Replacing;
      } else if (value == "accumulate") {
        options.processKind = ProcessKind::Accumulating;
      } else if (value == "double") {
        options.processKind = ProcessKind::Double;
      } else {
        ok = false;
      }
    } else {
      error = "unknown option " + option;
      return false;
    }
    if (!ok) {
      error = "bad value for " + option + ": " + value;
      return false;
    }
  }
  if (options.outputPath.empty() && !options.listOnly) {
    error = "--out is required";
    return false;
  }
  return true;
}

}  // namespace render
