#pragma once
// A VST 2.4 host for one plug-in instance: the host callback, the instance's
// life (entry point to effClose) and typed access to its requests.

#include <memory>
#include <string>
#include <vector>

#include "framework/vst/VstAbi.h"
#include "tools/HostPlatform.h"

namespace render {

enum class ProcessKind { Replacing, Accumulating, Double };

// What the plug-in told the host during a render.
struct HostActivity {
  int automations = 0;
  int gesturesBegun = 0;
  int gesturesEnded = 0;
  int eventsReceived = 0;
};

class PluginHost {
 public:
  PluginHost() = default;
  ~PluginHost();
  PluginHost(const PluginHost&) = delete;
  PluginHost& operator=(const PluginHost&) = delete;

  // Loads the module, creates one instance and opens it.
  bool Open(const std::string& modulePath, std::string& error);

  // The text and version the host reports about itself (before Open).
  void SetProductString(const std::string& product) { product_ = product; }

  void Configure(double sampleRate, int blockSize);
  void SetActive(bool active);

  int ParameterCount() const { return effect_->numParams; }
  int ProgramCount() const { return effect_->numPrograms; }
  int InputCount() const { return effect_->numInputs; }
  int OutputCount() const { return effect_->numOutputs; }
  bool CanProcess(ProcessKind kind) const;

  std::string ParameterName(int index);
  std::string ParameterDisplay(int index);
  std::string ParameterLabel(int index);
  std::string ProgramName(int index);
  std::string EffectName();
  std::string VendorName();
  // The index of the first parameter with this name (exact, then ignoring
  // case), or of this number; -1 when nothing matches.
  int FindParameter(const std::string& nameOrIndex);

  float GetParameter(int index);
  void SetParameter(int index, float normalised);
  void SelectProgram(int index);

  // bank selects the whole-bank chunk (index 0) rather than a program chunk.
  std::vector<char> GetChunk(bool bank);
  bool SetChunk(const std::vector<char>& chunk, bool bank);

  // One block of control changes, delivered before the next process call.
  struct ControlChange {
    int deltaFrames;
    int channel;
    int controller;
    int value;
  };
  void SendControlChanges(const std::vector<ControlChange>& changes);

  // Processes one block; the buffers hold InputCount() and OutputCount()
  // channels of at least frames samples.
  void Process(ProcessKind kind, float** inputs, float** outputs, double** inputsDouble,
               double** outputsDouble, int frames);

  // The frame position reported through the time query.
  void SetSamplePosition(double frames) { timeInfo_.samplePos = frames; }

  const HostActivity& Activity() const { return activity_; }

 private:
  static vst::VstIntPtr HostCallback(vst::AEffect* effect, vst::VstInt32 opcode,
                                     vst::VstInt32 index, vst::VstIntPtr value, void* ptr,
                                     float opt);
  vst::VstIntPtr Answer(vst::VstInt32 opcode, vst::VstInt32 index, vst::VstIntPtr value, void* ptr,
                        float opt);
  vst::VstIntPtr Dispatch(vst::VstInt32 opcode, vst::VstInt32 index = 0, vst::VstIntPtr value = 0,
                          void* ptr = nullptr, float opt = 0.0f);
  std::string TextRequest(vst::VstInt32 opcode, int index);

  std::unique_ptr<PluginModule> module_;
  vst::AEffect* effect_ = nullptr;
  std::string product_ = "corvalent-render";
  vst::VstTimeInfo timeInfo_{};
  HostActivity activity_;
};

}  // namespace render
