#pragma once
// The VST 2.4 binding: an IProcessorBase that a host drives through the
// AEffect record embedded in it.

#include "framework/core/IProcessorBase.h"
#include "framework/vst/VstAbi.h"

class IProcessorVST : public IProcessorBase {
 public:
  // Arguments as IProcessorBase's, after the host's callback. Every channel
  // starts connected; the scratch buffers hold 1024 frames.
  IProcessorVST(vst::audioMasterCallback hostCallback, int paramCount, const char* channelIOStr,
                int presetCount, const char* effectName, const char* productName,
                const char* vendorName, int vendorVersion, int uniqueId, int manufacturerId,
                int latency, bool doesMidi, bool doesChunks, bool isInstrument);
  ~IProcessorVST() override = default;

  // The record handed to the host; its address is stable for the object's life.
  vst::AEffect* Effect() { return &effect_; }
  // The object behind a record, or null for a null record or object field.
  static IProcessorVST* FromEffect(vst::AEffect* effect);

  bool DoesMidi() const { return doesMidi_; }
  const vst::ERect& EditorRect() const { return editorRect_; }
  vst::VstSpeakerArrangement* InputArrangement() { return &inputArrangement_; }
  vst::VstSpeakerArrangement* OutputArrangement() { return &outputArrangement_; }

  // Calls the host; 0 when there is no callback.
  vst::VstIntPtr CallHost(vst::VstInt32 opcode, vst::VstInt32 index = 0, vst::VstIntPtr value = 0,
                          void* ptr = nullptr, float opt = 0.0f);
  // Passes a non-MIDI event back to the host unchanged; true when it took it.
  bool ForwardEvent(vst::VstEvent* event);

  void BeginParamGesture(int paramIndex) override;
  void NotifyHostParamChange(int paramIndex, double normalizedValue) override;
  void EndParamGesture(int paramIndex) override;
  int64_t GetSamplePosition() override;
  double GetHostTempo() override;
  void GetTimeSignature(int* numerator, int* denominator) override;
  // Asks the host for its product string and version once; later calls
  // return the stored id.
  int GetHostId() override;
  void EditorResized(int width, int height) override;
  // Runs once per object, at effOpen.
  void HostSpecificSetup() override;
  void AttachEditor(IEditorBase* editor) override;
  void SetLatency(int samples) override;
  bool SendMidiMessage(const MidiMessage* message) override;
  bool SendMidiMessages(const MidiMessage* messages, int count) override;

 private:
  // Asks the host for its time information with the given flags; null when
  // the host has none.
  const vst::VstTimeInfo* QueryTime(vst::VstInt32 wantedFlags);
  bool SendEvents(vst::VstEvent* event);

  vst::ERect editorRect_{};
  vst::audioMasterCallback hostCallback_;
  vst::VstSpeakerArrangement inputArrangement_{};
  vst::VstSpeakerArrangement outputArrangement_{};
  bool hostSetupDone_ = false;
  bool doesMidi_;
  vst::AEffect effect_{};
};

// The packed form (major << 16 | minor << 8 | patch) of a host's decimal
// vendor version (major * 10000 + minor * 100 + patch).
int PackedFromDecimalVersion(int decimalVersion);
