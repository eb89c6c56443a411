// corvalent-render: a command-line VST 2.4 host that renders a file (or the
// built-in guitar riff) through a plug-in module.

#include <algorithm>
#include <chrono>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "tools/Automation.h"
#include "tools/DemoSignal.h"
#include "tools/PluginHost.h"
#include "tools/RenderOptions.h"

namespace render {
namespace {

constexpr int kProgressWidth = 40;

bool ReadBinaryFile(const std::string& path, std::vector<char>& bytes) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return true;
}

bool WriteBinaryFile(const std::string& path, const std::vector<char>& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

void ListPlugin(PluginHost& host) {
  std::printf("%s by %s: %d parameters, %d programs, %d in, %d out\n", host.EffectName().c_str(),
              host.VendorName().c_str(), host.ParameterCount(), host.ProgramCount(),
              host.InputCount(), host.OutputCount());
  for (int i = 0; i < host.ParameterCount(); ++i) {
    const std::string label = host.ParameterLabel(i);
    std::printf("  %2d  %-12s %.4f  %s%s%s\n", i, host.ParameterName(i).c_str(),
                static_cast<double>(host.GetParameter(i)), host.ParameterDisplay(i).c_str(),
                label.empty() ? "" : " ", label.c_str());
  }
  for (int i = 0; i < host.ProgramCount(); ++i) {
    std::printf("  program %2d  %s\n", i, host.ProgramName(i).c_str());
  }
}

class ProgressBar {
 public:
  explicit ProgressBar(bool enabled) : enabled_(enabled) {}
  void Show(long long done, long long total) {
    if (!enabled_ || total <= 0) return;
    const int filled = static_cast<int>(done * kProgressWidth / total);
    if (filled == shown_) return;
    shown_ = filled;
    std::fprintf(stderr, "\r[%.*s%*s] %3d%%", filled, "########################################",
                 kProgressWidth - filled, "", static_cast<int>(done * 100 / total));
    std::fflush(stderr);
  }
  void Finish() {
    if (enabled_ && shown_ >= 0) std::fprintf(stderr, "\r%*s\r", kProgressWidth + 8, "");
  }

 private:
  bool enabled_;
  int shown_ = -1;
};

double ToDecibels(double value) {
  return value > 0.0 ? 20.0 * std::log10(value) : -HUGE_VAL;
}

void PrintSummary(const AudioData& out, double seconds, const HostActivity& activity) {
  double peak = 0.0;
  double sumSquares = 0.0;
  size_t count = 0;
  for (const std::vector<float>& channel : out.channels) {
    for (float sample : channel) {
      const double value = sample;
      peak = std::max(peak, std::fabs(value));
      sumSquares += value * value;
    }
    count += channel.size();
  }
  const double rms = count > 0 ? std::sqrt(sumSquares / static_cast<double>(count)) : 0.0;
  const double audioSeconds = static_cast<double>(out.Frames()) / out.sampleRate;
  std::fprintf(stderr,
               "%zu frames, peak %.4f (%.1f dBFS), RMS %.4f (%.1f dBFS), %.1fx realtime, "
               "%d automation, %d events from plug-in\n",
               out.Frames(), peak, ToDecibels(peak), rms, ToDecibels(rms),
               seconds > 0.0 ? audioSeconds / seconds : 0.0, activity.automations,
               activity.eventsReceived);
}

// Runs the whole render; returns the process exit code.
int Render(const RenderOptions& options) {
  std::string error;
  AudioData input;
  if (options.inputPath.empty()) {
    input = MakeDemoRiff(options.raw.sampleRate);
  } else if (!ReadAudioFile(options.inputPath, options.raw, input, error)) {
    std::fprintf(stderr, "corvalent-render: %s\n", error.c_str());
    return 1;
  }

  const std::string modulePath = options.pluginPath.empty()
                                     ? ExecutableDirectory() + "/" + DefaultModuleFileName()
                                     : options.pluginPath;
  PluginHost host;
  host.SetProductString(options.productString);
  if (!host.Open(modulePath, error)) {
    std::fprintf(stderr, "corvalent-render: %s\n", error.c_str());
    return 1;
  }
  if (!host.CanProcess(options.processKind)) {
    std::fprintf(stderr, "corvalent-render: the plug-in does not offer that process call\n");
    return 1;
  }
  host.Configure(input.sampleRate, options.blockSize);

  if (options.program >= 0) {
    if (options.program >= host.ProgramCount()) {
      std::fprintf(stderr, "corvalent-render: no program %d\n", options.program);
      return 1;
    }
    host.SelectProgram(options.program);
  }
  if (!options.loadChunkPath.empty()) {
    std::vector<char> chunk;
    if (!ReadBinaryFile(options.loadChunkPath, chunk) || !host.SetChunk(chunk, options.bankChunk)) {
      std::fprintf(stderr, "corvalent-render: could not restore %s\n",
                   options.loadChunkPath.c_str());
      return 1;
    }
  }
  for (const auto& [name, value] : options.settings) {
    const int index = host.FindParameter(name);
    if (index < 0) {
      std::fprintf(stderr, "corvalent-render: no parameter named %s\n", name.c_str());
      return 1;
    }
    host.SetParameter(index, static_cast<float>(value));
  }
  Automation automation;
  if (!automation.Prepare(options, host, input.sampleRate, error)) {
    std::fprintf(stderr, "corvalent-render: %s\n", error.c_str());
    return 1;
  }
  if (options.listOnly) {
    ListPlugin(host);
    return 0;
  }

  const size_t inCount = static_cast<size_t>(std::max(0, host.InputCount()));
  const size_t outCount = static_cast<size_t>(std::max(0, host.OutputCount()));
  const size_t block = static_cast<size_t>(options.blockSize);
  const long long total =
      static_cast<long long>(input.Frames()) +
      static_cast<long long>(std::llround(options.tailSeconds * input.sampleRate));

  AudioData output;
  output.sampleRate = input.sampleRate;
  output.channels.assign(outCount, std::vector<float>(static_cast<size_t>(total)));
  std::vector<std::vector<float>> inBlock(inCount, std::vector<float>(block));
  std::vector<std::vector<float>> outBlock(outCount, std::vector<float>(block));
  std::vector<std::vector<double>> inDouble(inCount, std::vector<double>(block));
  std::vector<std::vector<double>> outDouble(outCount, std::vector<double>(block));
  std::vector<float*> inPtr(inCount + 1), outPtr(outCount + 1);
  std::vector<double*> inPtrD(inCount + 1), outPtrD(outCount + 1);
  for (size_t c = 0; c < inCount; ++c) inPtr[c] = inBlock[c].data(), inPtrD[c] = inDouble[c].data();
  for (size_t c = 0; c < outCount; ++c) {
    outPtr[c] = outBlock[c].data();
    outPtrD[c] = outDouble[c].data();
  }

  ProgressBar progress(!options.quiet && StderrIsTerminal());
  host.SetActive(true);
  const auto started = std::chrono::steady_clock::now();
  for (long long frame = 0; frame < total; frame += static_cast<long long>(block)) {
    const size_t n = static_cast<size_t>(std::min<long long>(total - frame, options.blockSize));
    // A mono source feeds the first input only: the other inputs hear silence.
    for (size_t c = 0; c < inCount; ++c) {
      for (size_t i = 0; i < n; ++i) {
        const size_t at = static_cast<size_t>(frame) + i;
        const bool present = c < input.channels.size() && at < input.Frames();
        inBlock[c][i] = present ? input.channels[c][at] : 0.0f;
        inDouble[c][i] = inBlock[c][i];
      }
    }
    for (std::vector<float>& channel : outBlock) std::fill(channel.begin(), channel.end(), 0.0f);
    automation.ApplyBlock(host, frame, static_cast<int>(n));
    host.SetSamplePosition(static_cast<double>(frame));
    host.Process(options.processKind, inPtr.data(), outPtr.data(), inPtrD.data(), outPtrD.data(),
                 static_cast<int>(n));
    for (size_t c = 0; c < outCount; ++c) {
      for (size_t i = 0; i < n; ++i) {
        output.channels[c][static_cast<size_t>(frame) + i] =
            options.processKind == ProcessKind::Double ? static_cast<float>(outDouble[c][i])
                                                       : outBlock[c][i];
      }
    }
    progress.Show(frame + static_cast<long long>(n), total);
  }
  const double elapsed =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  progress.Finish();
  host.SetActive(false);

  if (!options.saveChunkPath.empty()) {
    const std::vector<char> chunk = host.GetChunk(options.bankChunk);
    if (chunk.empty() || !WriteBinaryFile(options.saveChunkPath, chunk)) {
      std::fprintf(stderr, "corvalent-render: could not save %s\n", options.saveChunkPath.c_str());
      return 1;
    }
  }
  if (!WriteAudioFile(options.outputPath, output, options.pcm16, error)) {
    std::fprintf(stderr, "corvalent-render: %s\n", error.c_str());
    return 1;
  }
  if (!options.quiet) PrintSummary(output, elapsed, host.Activity());
  return 0;
}

}  // namespace
}  // namespace render

int main(int argc, char** argv) {
  render::RenderOptions options;
  std::string error;
  if (!render::ParseRenderOptions(argc, argv, options, error)) {
    if (!error.empty()) std::fprintf(stderr, "corvalent-render: %s\n", error.c_str());
    std::fputs(render::kUsage, error.empty() ? stdout : stderr);
    return error.empty() ? 0 : 2;
  }
  return render::Render(options);
}
