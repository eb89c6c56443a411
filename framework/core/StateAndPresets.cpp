// The state half of IProcessorBase: parameter values to and from chunks,
// preset slots, and the blocks exchanged with the host.

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "framework/core/IProcessorBase.h"
#include "framework/core/Trace.h"

namespace {

constexpr const char* kUserPresetName = "user preset";

}  // namespace

bool IProcessorBase::SerializeParams(IStateChunk* chunk) {
  if (!chunk) return false;
  PlugLock lock(mutex_);
  for (int i = 0; i < NParams(); ++i) {
    if (!chunk->PutDouble(parameters_.At(i)->Value())) return false;
  }
  return true;
}

int IProcessorBase::UnserializeParams(IStateChunk* chunk, int startPosition) {
  PlugLock lock(mutex_);
  int position = startPosition;
  for (int i = 0; i < NParams() && position >= 0; ++i) {
    IParameter* parameter = parameters_.At(i);
    TracePoint("IProcessorBase::UnserializeParams", __LINE__, "%d %s", i, parameter->Name());
    double value = 0.0;
    position = chunk ? chunk->GetDouble(&value, position) : -1;
    parameter->SetValue(parameter->ClampToRange(value));
  }
  ResetAllParameters();
  return position;
}

IPreset* IProcessorBase::ClaimFreePreset(const char* name) {
  for (int i = 0; i < NPresets(); ++i) {
    IPreset* preset = presets_.At(i);
    if (preset->initialised) continue;
    preset->initialised = true;
    preset->SetName(name);
    preset->values.Resize(0);
    return preset;
  }
  return nullptr;
}

void IProcessorBase::DefinePreset(const char* name, ...) {
  IPreset* preset = ClaimFreePreset(name);
  if (!preset) return;
  va_list args;
  va_start(args, name);
  for (int i = 0; i < NParams(); ++i) {
    const double value = parameters_.At(i)->IsIntegerKind() ? static_cast<double>(va_arg(args, int))
                                                            : va_arg(args, double);
    preset->values.PutDouble(value);
  }
  va_end(args);
}

void IProcessorBase::DefinePresetValues(const char* name, const double* values, int count) {
  IPreset* preset = ClaimFreePreset(name);
  if (!preset) return;
  for (int i = 0; i < NParams(); ++i) {
    preset->values.PutDouble(values && i < count ? values[i] : 0.0);
  }
}

void IProcessorBase::DefineDefaultPresets(const char* name, int count) {
  for (int round = 0; round < count; ++round) {
    if (IPreset* preset = ClaimFreePreset(name ? name : "Default")) {
      SerializeParams(&preset->values);
    }
  }
}

void IProcessorBase::EnsureDefaultPreset() {
  if (NPresets() > 0) return;
  auto* preset = new IPreset;
  preset->SetName("- 1 -");
  if (!presets_.Add(preset)) {
    delete preset;
    return;
  }
  DefineDefaultPresets(nullptr, 1);
}

bool IProcessorBase::SelectPreset(int presetIndex) {
  PlugLock lock(mutex_);
  IPreset* preset = Preset(presetIndex);
  if (!preset) return false;
  bool selected = false;
  if (preset->initialised) {
    selected = UnserializeParams(&preset->values, 0) > 0;
  } else {
    preset->initialised = true;
    char name[IPreset::kNameSize];
    NextUserPresetName(name, sizeof name);
    preset->SetName(name);
    selected = SerializeParams(&preset->values);
  }
  if (selected) {
    currentPreset_ = presetIndex;
    PushAllParametersToEditor();
  }
  return selected;
}

void IProcessorBase::StoreCurrentPreset(const char* name) {
  PlugLock lock(mutex_);
  IPreset* preset = Preset(currentPreset_);
  if (!preset) return;
  preset->values.Resize(0);
  SerializeParams(&preset->values);
  if (name && name[0] != '\0') preset->SetName(name);
}

const char* IProcessorBase::PresetName(int presetIndex) const {
  const IPreset* preset = Preset(presetIndex);
  return preset ? preset->name : "";
}

void IProcessorBase::NextUserPresetName(char* out, int outSize) const {
  if (!out || outSize <= 0) return;
  int count = 0;
  for (int i = 0; i < NPresets(); ++i) {
    if (std::strstr(presets_.At(i)->name, kUserPresetName)) ++count;
  }
  std::snprintf(out, static_cast<size_t>(outSize), "%s %d", kUserPresetName, count + 1);
}

int IProcessorBase::GetStateForHost(bool bank, void** data) {
  if (!data) return 0;
  PlugLock lock(mutex_);
  IStateChunk& chunk = bank ? bankChunk_ : programChunk_;
  chunk.WriteChunkHeader();
  if (chunk.Size() != IStateChunk::kHeaderSize) return 0;
  if (bank) StoreCurrentPreset(nullptr);
  if (!SaveState(&chunk) || chunk.Size() == 0) return 0;
  *data = chunk.Data();
  return chunk.Size();
}

int IProcessorBase::SetStateFromHost(bool bank, const void* data, int size) {
  if (!data || size < 0) return 0;
  PlugLock lock(mutex_);
  IStateChunk& chunk = bank ? bankChunk_ : programChunk_;
  if (!chunk.Assign(data, size)) return 0;

  int startPosition = 0;
  int32_t version = 0;
  const auto* bytes = static_cast<const unsigned char*>(chunk.Data());
  const int32_t magicSize = sizeof IStateChunk::kMagic;
  if (size >= magicSize && std::memcmp(bytes, IStateChunk::kMagic, magicSize) == 0) {
    if (size >= IStateChunk::kHeaderSize) {
      std::memcpy(&version, bytes + magicSize, sizeof version);
      startPosition = IStateChunk::kHeaderSize;
    } else {
      startPosition = -1;
    }
  }

  const int position = LoadState(&chunk, startPosition);
  // A current-format bank keeps the presets as they are; anything else also
  // becomes the current preset's values.
  if (!(bank && version >= IStateChunk::kFormatVersion)) StoreCurrentPreset(nullptr);
  if (position < 0) return 0;
  PushAllParametersToEditor();
  return 1;
}
