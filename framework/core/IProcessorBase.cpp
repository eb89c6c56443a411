#include "framework/core/IProcessorBase.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "framework/core/Trace.h"
#include "framework/editor/IEditorBase.h"

namespace {

void CopyName(char (&dest)[IProcessorBase::kNameSize], const char* source) {
  std::snprintf(dest, sizeof dest, "%s", source ? source : "");
}

}  // namespace

IProcessorBase::IProcessorBase(int paramCount, const char* channelIOStr, int presetCount,
                               const char* effectName, const char* productName,
                               const char* vendorName, int vendorVersion, int uniqueId,
                               int manufacturerId, int latency, bool /*doesMidi*/, bool doesChunks,
                               bool isInstrument)
    : uniqueId_(uniqueId),
      manufacturerId_(manufacturerId),
      vendorVersion_(vendorVersion),
      doesChunks_(doesChunks),
      isInstrument_(isInstrument),
      latency_(latency) {
  TracePoint("IProcessorBase::IProcessorBase", __LINE__, "%s:%s", effectName ? effectName : "",
             TraceTimestamp());
  for (int i = 0; i < paramCount; ++i) parameters_.Add(new IParameter);
  for (int i = 0; i < presetCount; ++i) {
    auto* preset = new IPreset;
    std::snprintf(preset->name, sizeof preset->name, "- %d -", i + 1);
    presets_.Add(preset);
  }
  CopyName(effectName_, effectName);
  CopyName(productName_, productName);
  CopyName(vendorName_, vendorName);
  ParseChannelConfigs(channelIOStr);
}

IProcessorBase::~IProcessorBase() {
  delete editor_;
  editor_ = nullptr;
  parameters_.DeleteAll();
  presets_.DeleteAll();
  inputs_.DeleteAll();
  outputs_.DeleteAll();
  channelConfigs_.DeleteAll();
}

void IProcessorBase::ParseChannelConfigs(const char* channelIOStr) {
  int maxIn = 0;
  int maxOut = 0;
  for (const char* entry = channelIOStr; entry;) {
    int nIn = 0;
    int nOut = 0;
    const bool parsed = std::sscanf(entry, "%d-%d", &nIn, &nOut) == 2;
    assert(parsed && "sscanf(channelIOStr, \"%d-%d\", &nIn, &nOut) == 2");
    // A malformed entry is the effect's mistake; release builds skip it rather
    // than invent a configuration.
    if (parsed) {
      channelConfigs_.Add(new ChannelConfig{nIn, nOut});
      maxIn = std::max(maxIn, nIn);
      maxOut = std::max(maxOut, nOut);
    }
    entry = std::strchr(entry, ' ');
    if (entry) ++entry;
  }

  // Sized once: the channels keep pointers into these tables.
  inputTable_.assign(static_cast<size_t>(maxIn), nullptr);
  outputTable_.assign(static_cast<size_t>(maxOut), nullptr);
  floatCursor_.assign(static_cast<size_t>(maxIn + maxOut), nullptr);
  doubleCursor_.assign(static_cast<size_t>(maxIn + maxOut), nullptr);
  for (int i = 0; i < maxIn; ++i) {
    auto* channel = new InputChannel;
    channel->slot = &inputTable_[static_cast<size_t>(i)];
    inputs_.Add(channel);
  }
  for (int i = 0; i < maxOut; ++i) {
    auto* channel = new OutputChannel;
    channel->slot = &outputTable_[static_cast<size_t>(i)];
    outputs_.Add(channel);
  }
  RecomputeScratchFrames();
}

void IProcessorBase::PrepareAudio() {
  PlugLock lock(mutex_);
}

void IProcessorBase::ParameterChanged(int /*paramIndex*/) {
  PlugLock lock(mutex_);
}

void IProcessorBase::ActivationChanged(bool /*active*/) {
  PlugLock lock(mutex_);
}

void IProcessorBase::HandleMidiMessage(const MidiMessage* message) {
  if (message) SendMidiMessage(message);
}

bool IProcessorBase::GetMidiNoteName(int /*noteNumber*/, char* name) {
  if (name) name[0] = '\0';
  return false;
}

bool IProcessorBase::SaveState(IStateChunk* chunk) {
  return SerializeParams(chunk);
}

int IProcessorBase::LoadState(IStateChunk* chunk, int startPosition) {
  return UnserializeParams(chunk, startPosition);
}

int IProcessorBase::GetHostId() {
  return hostId_;
}

void IProcessorBase::AttachEditor(IEditorBase* editor) {
  if (!editor) return;
  PlugLock lock(mutex_);
  for (int i = 0; i < NParams(); ++i) {
    editor->PushParameterToControls(i, parameters_.At(i)->GetNormalized(), true);
  }
  editor->CreateDrawSurface();
  if (editor_ != editor) delete editor_;
  editor_ = editor;
}

void IProcessorBase::SetLatency(int samples) {
  latency_ = samples;
}

int IProcessorBase::GetEffectVersion(bool decimal) const {
  if (!decimal) return vendorVersion_;
  const auto packed = static_cast<uint32_t>(vendorVersion_);
  return static_cast<int>((packed >> 16) * 10000 + ((packed >> 8) & 0xFF) * 100 + (packed & 0xFF));
}

void IProcessorBase::SetHost(const char* productText, int packedVersion) {
  hostId_ = IdentifyHost(productText);
  hostVersion_ = packedVersion;
  const auto packed = static_cast<uint32_t>(packedVersion);
  char versionText[32];
  std::snprintf(versionText, sizeof versionText, "v%u.%u", packed >> 16, (packed >> 8) & 0xFF);
  TracePoint("IProcessorBase::SetHost", __LINE__, "host_%sknown:%s:%s",
             hostId_ == kHostUnknown ? "un" : "", productText ? productText : "", versionText);
}

void IProcessorBase::SetParameterFromGUI(int paramIndex, double normalizedValue) {
  TracePoint("IProcessorBase::SetParameterFromGUI", __LINE__, "%d:%f", paramIndex, normalizedValue);
  PlugLock lock(mutex_);
  IParameter* parameter = Parameter(paramIndex);
  if (!parameter || !std::isfinite(normalizedValue)) return;
  parameter->SetNormalized(normalizedValue);
  NotifyHostParamChange(paramIndex, normalizedValue);
  ParameterChanged(paramIndex);
}

void IProcessorBase::ResetAllParameters() {
  for (int i = 0; i < NParams(); ++i) ParameterChanged(i);
}

void IProcessorBase::PushAllParametersToEditor() {
  if (!editor_) return;
  for (int i = 0; i < NParams(); ++i) {
    editor_->PushParameterToControls(i, parameters_.At(i)->Value(), false);
  }
}

bool IProcessorBase::LegalIO(int nIn, int nOut) const {
  bool legal = false;
  for (int i = 0; i < channelConfigs_.Count() && !legal; ++i) {
    const ChannelConfig* config = channelConfigs_.At(i);
    legal = (nIn < 0 || nIn == config->nIn) && (nOut < 0 || nOut == config->nOut);
  }
  TracePoint("IProcessorBase::LegalIO", __LINE__, "%d:%d:%s", nIn, nOut,
             legal ? "legal" : "illegal");
  return legal;
}
