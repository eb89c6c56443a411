#include "framework/vst/IProcessorVST.h"

#include <cstring>

#include "framework/core/Trace.h"
#include "framework/vst/VSTCallbacks.h"

namespace {

constexpr int kInitialBlockSize = 1024;
constexpr int kHostProductTextSize = 256;

}  // namespace

int PackedFromDecimalVersion(int decimalVersion) {
  const int v = decimalVersion;
  return v + ((v % 10000) / 100) * 156 + (v / 10000) * 55536;
}

IProcessorVST::IProcessorVST(vst::audioMasterCallback hostCallback, int paramCount,
                             const char* channelIOStr, int presetCount, const char* effectName,
                             const char* productName, const char* vendorName, int vendorVersion,
                             int uniqueId, int manufacturerId, int latency, bool doesMidi,
                             bool doesChunks, bool isInstrument)
    : IProcessorBase(paramCount, channelIOStr, presetCount, effectName, productName, vendorName,
                     vendorVersion, uniqueId, manufacturerId, latency, doesMidi, doesChunks,
                     isInstrument),
      hostCallback_(hostCallback),
      doesMidi_(doesMidi) {
  TracePoint("IProcessorVST::IProcessorVST", __LINE__, "%s", effectName);

  effect_.magic = vst::kEffectMagic;
  effect_.dispatcher = &VSTDispatcher;
  effect_.process = &VSTProcessAccumulating;
  effect_.setParameter = &VSTSetParameter;
  effect_.getParameter = &VSTGetParameter;
  effect_.numPrograms = NPresets();
  effect_.numParams = NParams();
  effect_.numInputs = NInputs();
  effect_.numOutputs = NOutputs();
  effect_.flags = vst::effFlagsCanReplacing | vst::effFlagsCanDoubleReplacing;
  if (doesChunks) effect_.flags |= vst::effFlagsProgramChunks;
  if (LegalIO(1, -1)) effect_.flags |= vst::effFlagsCanMono;
  if (isInstrument) effect_.flags |= vst::effFlagsIsSynth;
  effect_.initialDelay = latency;
  effect_.ioRatio = 1.0f;
  effect_.object = this;
  effect_.user = nullptr;
  effect_.uniqueID = uniqueId;
  effect_.version = GetEffectVersion(true);
  effect_.processReplacing = &VSTProcessReplacing;
  effect_.processDoubleReplacing = &VSTProcessDoubleReplacing;

  inputArrangement_.numChannels = NInputs();
  outputArrangement_.numChannels = NOutputs();

  ConnectInputs(0, NInputs(), true);
  ConnectOutputs(0, NOutputs(), true);
  SetBlockSize(kInitialBlockSize);
}

IProcessorVST* IProcessorVST::FromEffect(vst::AEffect* effect) {
  return effect != nullptr ? static_cast<IProcessorVST*>(effect->object) : nullptr;
}

vst::VstIntPtr IProcessorVST::CallHost(vst::VstInt32 opcode, vst::VstInt32 index,
                                       vst::VstIntPtr value, void* ptr, float opt) {
  // A host that passed no callback still gets a working plug-in, only deaf.
  if (hostCallback_ == nullptr) return 0;
  return hostCallback_(&effect_, opcode, index, value, ptr, opt);
}

bool IProcessorVST::SendEvents(vst::VstEvent* event) {
  vst::VstEvents list{};
  list.numEvents = 1;
  list.events[0] = event;
  return CallHost(vst::audioMasterProcessEvents, 0, 0, &list) == 1;
}

bool IProcessorVST::ForwardEvent(vst::VstEvent* event) {
  return SendEvents(event);
}

void IProcessorVST::BeginParamGesture(int paramIndex) {
  CallHost(vst::audioMasterBeginEdit, paramIndex);
}

void IProcessorVST::NotifyHostParamChange(int paramIndex, double normalizedValue) {
  CallHost(vst::audioMasterAutomate, paramIndex, 0, nullptr, static_cast<float>(normalizedValue));
}

void IProcessorVST::EndParamGesture(int paramIndex) {
  CallHost(vst::audioMasterEndEdit, paramIndex);
}

const vst::VstTimeInfo* IProcessorVST::QueryTime(vst::VstInt32 wantedFlags) {
  return reinterpret_cast<const vst::VstTimeInfo*>(
      CallHost(vst::audioMasterGetTime, 0, wantedFlags));
}

int64_t IProcessorVST::GetSamplePosition() {
  const vst::VstTimeInfo* time = QueryTime(0);
  // The comparison also turns away a host's NaN.
  if (time == nullptr || !(time->samplePos >= 0.0)) return 0;
  // A position past what an integer holds is a broken host, not a real song.
  if (time->samplePos >= 9.2e18) return 0;
  return static_cast<int64_t>(time->samplePos);
}

double IProcessorVST::GetHostTempo() {
  if (hostCallback_ == nullptr) return 0.0;
  const vst::VstTimeInfo* time = QueryTime(vst::kVstTempoValid);
  if (time == nullptr || (time->flags & vst::kVstTempoValid) == 0 || !(time->tempo >= 0.0)) {
    return 0.0;
  }
  return time->tempo;
}

void IProcessorVST::GetTimeSignature(int* numerator, int* denominator) {
  int top = 0;
  int bottom = 0;
  const vst::VstTimeInfo* time = QueryTime(vst::kVstTimeSigValid);
  if (time != nullptr && (time->flags & vst::kVstTimeSigValid) != 0 &&
      time->timeSigNumerator >= 0 && time->timeSigDenominator >= 0) {
    top = time->timeSigNumerator;
    bottom = time->timeSigDenominator;
  }
  if (numerator != nullptr) *numerator = top;
  if (denominator != nullptr) *denominator = bottom;
}

int IProcessorVST::GetHostId() {
  if (StoredHostId() != kHostNotAsked) return StoredHostId();
  char product[kHostProductTextSize] = {};
  CallHost(vst::audioMasterGetProductString, 0, 0, product);
  // A host may fill the whole buffer without a terminator.
  product[kHostProductTextSize - 1] = '\0';
  int version = 0;
  if (product[0] != '\0') {
    version =
        PackedFromDecimalVersion(static_cast<int>(CallHost(vst::audioMasterGetVendorVersion)));
  }
  SetHost(product, version);
  return StoredHostId();
}

void IProcessorVST::EditorResized(int width, int height) {
  if (Editor() == nullptr) return;
  editorRect_.top = 0;
  editorRect_.left = 0;
  editorRect_.bottom = static_cast<int16_t>(height);
  editorRect_.right = static_cast<int16_t>(width);
}

void IProcessorVST::HostSpecificSetup() {
  if (hostSetupDone_) return;
  hostSetupDone_ = true;
  switch (GetHostId()) {
    case kHostForte:
    case kHostAudition:
    case kHostOrion:
    case kHostSawStudio:
      ForceFirstPairOnly();
      break;
    default:
      break;
  }
  inputArrangement_.numChannels = NInputs();
  effect_.numInputs = NInputs();
  outputArrangement_.numChannels = NOutputs();
  effect_.numOutputs = NOutputs();
}

void IProcessorVST::AttachEditor(IEditorBase* editor) {
  if (editor == nullptr) return;
  IProcessorBase::AttachEditor(editor);
  effect_.flags |= vst::effFlagsHasEditor;
}

void IProcessorVST::SetLatency(int samples) {
  IProcessorBase::SetLatency(samples);
  effect_.initialDelay = samples;
}

bool IProcessorVST::SendMidiMessage(const MidiMessage* message) {
  if (message == nullptr) return false;
  vst::VstMidiEvent event{};
  event.type = vst::kVstMidiType;
  event.byteSize = sizeof(vst::VstMidiEvent);
  event.deltaFrames = message->frameOffset;
  event.midiData[0] = static_cast<char>(message->status);
  event.midiData[1] = static_cast<char>(message->data1);
  event.midiData[2] = static_cast<char>(message->data2);
  return SendEvents(reinterpret_cast<vst::VstEvent*>(&event));
}

bool IProcessorVST::SendMidiMessages(const MidiMessage* messages, int count) {
  bool allTaken = true;
  for (int i = 0; i < count && messages != nullptr; ++i) {
    allTaken = SendMidiMessage(&messages[i]) && allTaken;
  }
  return allTaken;
}
