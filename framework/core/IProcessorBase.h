#pragma once

#include <cstdint>
#include <vector>

#include "framework/core/GrowBuf.h"
#include "framework/core/HostId.h"
#include "framework/core/IParameter.h"
#include "framework/core/IStateChunk.h"
#include "framework/core/MidiMessage.h"
#include "framework/platform/PlugMutex.h"

class IEditorBase;

// One accepted pair of input and output channel counts.
struct ChannelConfig {
  int32_t nIn = 0;
  int32_t nOut = 0;
};

// Routing state of one input: connected to a host buffer, or reading its own
// scratch. slot is this channel's entry in the input pointer table.
struct InputChannel {
  bool connected = false;
  double** slot = nullptr;
  GrowBuf scratch{GrowBuf::kCoreGranularity};
};

struct OutputChannel {
  bool connected = false;
  double** slot = nullptr;
  float* hostFloatBuffer = nullptr;  // host buffer of the current single-precision call
  GrowBuf scratch{GrowBuf::kCoreGranularity};
};

// The host-independent plug-in object: identity, parameters, presets, channel
// routing, editor attachment and the per-instance lock. A host binding derives
// from it and implements the abstract host-facing operations; the effect
// derives from the binding and overrides the processing hooks.
//
// Host state exchange lives here: GetStateForHost / SetStateFromHost own the
// two chunk buffers (bank and program) whose data is lent to the host until
// its next request, so a binding only forwards effGetChunk / effSetChunk.
//
// Audio routing: a binding hands whole host calls to ProcessFloatBlock or
// ProcessDoubleBlock, which cut blocks longer than the scratch buffers into
// pieces. The lower-level Attach* / RunProcessing* steps handle at most
// ScratchFrames() frames per call.
class IProcessorBase {
 public:
  static constexpr int kNameSize = 128;

  // channelIOStr lists "in-out" pairs separated by single spaces ("1-1 2-2");
  // null gives no channels. doesMidi is not kept here (the binding keeps it).
  IProcessorBase(int paramCount, const char* channelIOStr, int presetCount, const char* effectName,
                 const char* productName, const char* vendorName, int vendorVersion, int uniqueId,
                 int manufacturerId, int latency, bool doesMidi, bool doesChunks,
                 bool isInstrument);
  virtual ~IProcessorBase();
  IProcessorBase(const IProcessorBase&) = delete;
  IProcessorBase& operator=(const IProcessorBase&) = delete;

  // ---- Virtual operations, in their declared order ----

  // Called after the sample rate or block size changed; takes the lock.
  virtual void PrepareAudio();
  // Called after a parameter's value changed from any source; takes the lock.
  virtual void ParameterChanged(int paramIndex);
  // Runs with the plug-in lock held. Tables are null when there are no channels
  // of that direction; nFrames may be 0. Must not allocate. The base copies
  // input i to output i and zeroes outputs that have no input.
  virtual void ProcessAudio(double** inputs, double** outputs, int nFrames);
  virtual void EditorOpened() {}
  virtual void EditorClosing() {}
  virtual void ActivationChanged(bool active);
  // The base passes the message on with SendMidiMessage.
  virtual void HandleMidiMessage(const MidiMessage* message);
  // name holds at least 64 bytes; the base writes "" and returns false.
  virtual bool GetMidiNoteName(int noteNumber, char* name);
  virtual bool SaveState(IStateChunk* chunk);
  // Returns the position after what was read, or -1.
  virtual int LoadState(IStateChunk* chunk, int startPosition);

  virtual void BeginParamGesture(int paramIndex) = 0;
  virtual void NotifyHostParamChange(int paramIndex, double normalizedValue) = 0;
  virtual void EndParamGesture(int paramIndex) = 0;
  virtual int64_t GetSamplePosition() = 0;
  virtual double GetHostTempo() = 0;
  virtual void GetTimeSignature(int* numerator, int* denominator) = 0;
  // The base returns the stored host id.
  virtual int GetHostId();
  // The editor calls it after changing its size.
  virtual void EditorResized(int width, int height) = 0;
  virtual void HostSpecificSetup() = 0;
  // Takes ownership. Under the lock: pushes every parameter's normalised value
  // into the editor, lets it create its drawing surface, then keeps it. Null is
  // ignored; attaching a different editor deletes the previous one.
  virtual void AttachEditor(IEditorBase* editor);
  // Sizes every channel's scratch to nFrames doubles, zeroed. The current size
  // changes nothing; 0 or less, or a size that cannot be allocated, keeps the
  // previous buffers.
  virtual void SetBlockSize(int nFrames);
  virtual void SetLatency(int samples);
  virtual bool SendMidiMessage(const MidiMessage* message) = 0;
  virtual bool SendMidiMessages(const MidiMessage* messages, int count) = 0;

  // ---- Identity ----

  const char* EffectName() const { return effectName_; }
  const char* ProductName() const { return productName_; }
  const char* VendorName() const { return vendorName_; }
  int UniqueId() const { return uniqueId_; }
  int ManufacturerId() const { return manufacturerId_; }
  // Packed (major << 16 | minor << 8 | patch), or with decimal set
  // major * 10000 + minor * 100 + patch.
  int GetEffectVersion(bool decimal) const;
  bool DoesChunks() const { return doesChunks_; }
  bool IsInstrument() const { return isInstrument_; }
  int Latency() const { return latency_; }

  // ---- Host ----

  // Identifies the host from its product text (null counts as empty) and
  // stores its packed version.
  void SetHost(const char* productText, int packedVersion);
  // The stored id, -1 until SetHost ran.
  int StoredHostId() const { return hostId_; }
  int HostVersion() const { return hostVersion_; }
  void SetSampleRate(double sampleRate) { sampleRate_ = sampleRate; }
  double SampleRate() const { return sampleRate_; }
  int BlockSize() const { return blockSize_; }

  // ---- Parameters ----

  int NParams() const { return parameters_.Count(); }
  // Null for an index outside 0..NParams()-1.
  IParameter* Parameter(int paramIndex) const { return parameters_.Get(paramIndex); }
  // The editor's way to change a parameter: stores it, tells the host the value
  // as given (not rounded) and lets the plug-in react. Bad indices are ignored.
  void SetParameterFromGUI(int paramIndex, double normalizedValue);
  // ParameterChanged for every parameter; callers hold the lock.
  void ResetAllParameters();
  // Hands every parameter's real value to the attached editor, if any.
  void PushAllParametersToEditor();
  IEditorBase* Editor() const { return editor_; }

  // ---- Channels and routing ----

  int NInputs() const { return inputs_.Count(); }
  int NOutputs() const { return outputs_.Count(); }
  int NChannelConfigs() const { return channelConfigs_.Count(); }
  const ChannelConfig* GetChannelConfig(int index) const { return channelConfigs_.Get(index); }
  // True when a configuration matches; a negative count matches any.
  bool LegalIO(int nIn, int nOut) const;
  // Null for an index outside the channels.
  InputChannel* Input(int index) const { return inputs_.Get(index); }
  OutputChannel* Output(int index) const { return outputs_.Get(index); }

  // Channels first .. first+count-1 (clipped to the channels there are).
  // A disconnected channel reads or writes its own scratch.
  void ConnectInputs(int first, int count, bool connected);
  void ConnectOutputs(int first, int count, bool connected);
  // Inputs from 2 on read their scratch; outputs from 2 on are marked
  // connected. For hosts that only handle the first pair.
  void ForceFirstPairOnly();

  // Frames the scratch buffers hold: the most one RunProcessing* call handles.
  int ScratchFrames() const { return scratchFrames_; }

  // Connected channels take the host buffers in order; disconnected ones take
  // none. A null table or null buffer reads as silence (inputs) or is not
  // written (outputs). Single-precision input converts at most ScratchFrames()
  // frames.
  void AttachInputBuffers(int first, int count, float** hostBuffers, int nFrames);
  void AttachInputBuffers(int first, int count, double** hostBuffers, int nFrames);
  void AttachOutputBuffers(int first, int count, float** hostBuffers);
  void AttachOutputBuffers(int first, int count, double** hostBuffers);
  // ProcessAudio over the attached buffers, at most ScratchFrames() frames;
  // the single-precision forms then convert the outputs into the host buffers,
  // replacing or adding (in single precision) to what they hold.
  void RunProcessingDouble(int nFrames);
  void RunProcessingReplacing(int nFrames);
  void RunProcessingAccumulating(int nFrames);

  // A whole host audio call: attach, process and deliver, in pieces of at most
  // ScratchFrames() frames. Callers hold the lock. Allocates nothing.
  void ProcessFloatBlock(float** inputs, float** outputs, int nFrames, bool accumulate);
  void ProcessDoubleBlock(double** inputs, double** outputs, int nFrames);

  // ---- State and presets ----

  // Appends every parameter's value to the chunk; false when a write failed.
  bool SerializeParams(IStateChunk* chunk);
  // Reads one value per parameter from startPosition, clamped to its range;
  // the first parameter without a complete value gets 0 clamped and reading
  // stops. Every parameter is reported changed. Returns the next position, or
  // -1 when the chunk ended early (or startPosition was negative).
  int UnserializeParams(IStateChunk* chunk, int startPosition);

  // Factory presets: name, then one value per parameter, passed as int for
  // integer kinds and as double otherwise. Fills the first uninitialised slot;
  // does nothing when there is none. Only during construction.
  void DefinePreset(const char* name, ...);
  // The same with the values as doubles, count of them (missing ones are 0).
  void DefinePresetValues(const char* name, const double* values, int count);
  // Fills up to count free slots with the current values, named name or "Default".
  void DefineDefaultPresets(const char* name, int count);
  // A plug-in without presets gets one named "Default" with the current values.
  void EnsureDefaultPreset();
  // Loads an initialised preset, or turns a free one into a user preset that
  // holds the current values. False for a bad index or a broken preset.
  bool SelectPreset(int presetIndex);
  // Current values (and a non-empty name, if given) into the current preset.
  void StoreCurrentPreset(const char* name);
  // "" for an index outside the range.
  const char* PresetName(int presetIndex) const;
  // "user preset N" with N one more than the presets whose name contains
  // "user preset"; out holds outSize bytes.
  void NextUserPresetName(char* out, int outSize) const;
  int NPresets() const { return presets_.Count(); }
  int CurrentPreset() const { return currentPreset_; }
  IPreset* Preset(int presetIndex) const { return presets_.Get(presetIndex); }

  // Host state exchange. GetStateForHost writes a header-bearing block into the
  // bank or program buffer, points *data at it and returns its size (0 when
  // data is null or nothing was written). SetStateFromHost loads a block with
  // or without header and returns 1, or 0 when it is missing or incomplete.
  int GetStateForHost(bool bank, void** data);
  int SetStateFromHost(bool bank, const void* data, int size);

  // ---- Lock ----

  PlugMutex& Mutex() { return mutex_; }

 private:
  void ParseChannelConfigs(const char* channelIOStr);
  IPreset* ClaimFreePreset(const char* name);
  void RecomputeScratchFrames();

  OwningPtrArray<ChannelConfig> channelConfigs_;
  char effectName_[kNameSize] = {};
  char productName_[kNameSize] = {};
  char vendorName_[kNameSize] = {};
  int32_t uniqueId_;
  int32_t manufacturerId_;
  int32_t vendorVersion_;
  int32_t hostId_ = kHostNotAsked;
  int32_t hostVersion_ = 0;
  bool doesChunks_;
  bool isInstrument_;
  double sampleRate_ = 44100.0;
  int32_t blockSize_ = 0;
  int32_t latency_;
  OwningPtrArray<IParameter> parameters_;
  IEditorBase* editor_ = nullptr;
  OwningPtrArray<IPreset> presets_;
  int32_t currentPreset_ = 0;
  std::vector<double*> inputTable_;
  std::vector<double*> outputTable_;
  OwningPtrArray<InputChannel> inputs_;
  OwningPtrArray<OutputChannel> outputs_;
  PlugMutex mutex_;

  int32_t scratchFrames_ = 0;
  // Host buffer pointers advanced piece by piece in Process*Block; sized at
  // construction so the audio thread never allocates.
  std::vector<float*> floatCursor_;
  std::vector<double*> doubleCursor_;
  IStateChunk bankChunk_;
  IStateChunk programChunk_;
};
