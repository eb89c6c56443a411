#include "tools/PluginHost.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

namespace render {
namespace {

// Larger than any text the interface defines, for plug-ins that overrun the
// nominal lengths.
constexpr size_t kTextBufferSize = 512;
constexpr size_t kEventsPerList = 64;

// Laid out as VstEvents with a longer entry array.
struct EventList {
  vst::VstInt32 numEvents;
  vst::VstIntPtr reserved;
  vst::VstEvent* events[kEventsPerList];
};
static_assert(offsetof(EventList, events) == offsetof(vst::VstEvents, events));

constexpr vst::VstIntPtr kHostVendorVersion = 10000;  // 1.0.0, decimal

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

void CopyText(const std::string& text, void* ptr, size_t capacity) {
  if (ptr == nullptr) return;
  const size_t length = std::min(text.size(), capacity - 1);
  std::memcpy(ptr, text.data(), length);
  static_cast<char*>(ptr)[length] = '\0';
}

}  // namespace

PluginHost::~PluginHost() {
  if (effect_ != nullptr) Dispatch(vst::effClose);
}

bool PluginHost::Open(const std::string& modulePath, std::string& error) {
  module_ = LoadPluginModule(modulePath, error);
  if (!module_) return false;
  const vst::VstPluginMainProc entry = module_->EntryPoint();
  if (entry == nullptr) {
    error = modulePath + " has no VSTPluginMain or main export";
    return false;
  }
  effect_ = entry(&PluginHost::HostCallback);
  if (effect_ == nullptr || effect_->magic != vst::kEffectMagic) {
    effect_ = nullptr;
    error = modulePath + " did not return a VST 2.4 effect";
    return false;
  }
  effect_->user = this;
  timeInfo_.tempo = 120.0;
  timeInfo_.timeSigNumerator = 4;
  timeInfo_.timeSigDenominator = 4;
  timeInfo_.flags = vst::kVstTransportPlaying | vst::kVstTempoValid | vst::kVstTimeSigValid;
  Dispatch(vst::effOpen);
  return true;
}

void PluginHost::Configure(double sampleRate, int blockSize) {
  timeInfo_.sampleRate = sampleRate;
  Dispatch(vst::effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
  Dispatch(vst::effSetBlockSize, 0, blockSize);
}

void PluginHost::SetActive(bool active) {
  Dispatch(vst::effMainsChanged, 0, active ? 1 : 0);
}

bool PluginHost::CanProcess(ProcessKind kind) const {
  switch (kind) {
    case ProcessKind::Replacing:
      return effect_->processReplacing != nullptr;
    case ProcessKind::Accumulating:
      return effect_->process != nullptr;
    case ProcessKind::Double:
      return effect_->processDoubleReplacing != nullptr &&
             (effect_->flags & vst::effFlagsCanDoubleReplacing) != 0;
  }
  return false;
}

std::string PluginHost::TextRequest(vst::VstInt32 opcode, int index) {
  char text[kTextBufferSize] = {};
  Dispatch(opcode, index, 0, text);
  text[kTextBufferSize - 1] = '\0';
  return text;
}

std::string PluginHost::ParameterName(int index) {
  return TextRequest(vst::effGetParamName, index);
}
std::string PluginHost::ParameterDisplay(int index) {
  return TextRequest(vst::effGetParamDisplay, index);
}
std::string PluginHost::ParameterLabel(int index) {
  return TextRequest(vst::effGetParamLabel, index);
}
std::string PluginHost::ProgramName(int index) {
  return TextRequest(vst::effGetProgramNameIndexed, index);
}
std::string PluginHost::EffectName() {
  return TextRequest(vst::effGetEffectName, 0);
}
std::string PluginHost::VendorName() {
  return TextRequest(vst::effGetVendorString, 0);
}

int PluginHost::FindParameter(const std::string& nameOrIndex) {
  for (int i = 0; i < ParameterCount(); ++i) {
    if (ParameterName(i) == nameOrIndex) return i;
  }
  for (int i = 0; i < ParameterCount(); ++i) {
    if (EqualIgnoringCase(ParameterName(i), nameOrIndex)) return i;
  }
  char* end = nullptr;
  const long number = std::strtol(nameOrIndex.c_str(), &end, 10);
  if (!nameOrIndex.empty() && *end == '\0' && number >= 0 && number < ParameterCount()) {
    return static_cast<int>(number);
  }
  return -1;
}

float PluginHost::GetParameter(int index) {
  return effect_->getParameter(effect_, index);
}

void PluginHost::SetParameter(int index, float normalised) {
  effect_->setParameter(effect_, index, normalised);
}

void PluginHost::SelectProgram(int index) {
  Dispatch(vst::effSetProgram, 0, index);
}

std::vector<char> PluginHost::GetChunk(bool bank) {
  void* data = nullptr;
  const vst::VstIntPtr size = Dispatch(vst::effGetChunk, bank ? 0 : 1, 0, &data);
  if (size <= 0 || data == nullptr) return {};
  const char* bytes = static_cast<const char*>(data);
  return std::vector<char>(bytes, bytes + size);
}

bool PluginHost::SetChunk(const std::vector<char>& chunk, bool bank) {
  std::vector<char> copy = chunk;  // the plug-in may keep reading until the call returns
  return Dispatch(vst::effSetChunk, bank ? 0 : 1, static_cast<vst::VstIntPtr>(copy.size()),
                  copy.data()) == 1;
}

void PluginHost::SendControlChanges(const std::vector<ControlChange>& changes) {
  if (changes.empty()) return;
  std::vector<vst::VstMidiEvent> midi(changes.size());
  for (size_t i = 0; i < changes.size(); ++i) {
    vst::VstMidiEvent& event = midi[i];
    event = {};
    event.type = vst::kVstMidiType;
    event.byteSize = sizeof(vst::VstMidiEvent);
    event.deltaFrames = changes[i].deltaFrames;
    event.midiData[0] = static_cast<char>(0xB0 | (changes[i].channel & 0x0F));
    event.midiData[1] = static_cast<char>(changes[i].controller & 0x7F);
    event.midiData[2] = static_cast<char>(changes[i].value & 0x7F);
  }
  // VstEvents declares two entries; hosts hand over lists as long as they need,
  // here in lists of up to kEventsPerList.
  for (size_t first = 0; first < midi.size(); first += kEventsPerList) {
    EventList list{};
    const size_t count = std::min(kEventsPerList, midi.size() - first);
    list.numEvents = static_cast<vst::VstInt32>(count);
    for (size_t i = 0; i < count; ++i) {
      list.events[i] = reinterpret_cast<vst::VstEvent*>(&midi[first + i]);
    }
    Dispatch(vst::effProcessEvents, 0, 0, &list);
  }
}

void PluginHost::Process(ProcessKind kind, float** inputs, float** outputs, double** inputsDouble,
                         double** outputsDouble, int frames) {
  switch (kind) {
    case ProcessKind::Replacing:
      effect_->processReplacing(effect_, inputs, outputs, frames);
      break;
    case ProcessKind::Accumulating:
      effect_->process(effect_, inputs, outputs, frames);
      break;
    case ProcessKind::Double:
      effect_->processDoubleReplacing(effect_, inputsDouble, outputsDouble, frames);
      break;
  }
}

vst::VstIntPtr PluginHost::Dispatch(vst::VstInt32 opcode, vst::VstInt32 index, vst::VstIntPtr value,
                                    void* ptr, float opt) {
  return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

vst::VstIntPtr PluginHost::HostCallback(vst::AEffect* effect, vst::VstInt32 opcode,
                                        vst::VstInt32 index, vst::VstIntPtr value, void* ptr,
                                        float opt) {
  // Until the entry point has returned, the record carries no host pointer yet.
  PluginHost* host = effect != nullptr ? static_cast<PluginHost*>(effect->user) : nullptr;
  if (host == nullptr) return opcode == vst::audioMasterVersion ? vst::kVstVersion : 0;
  return host->Answer(opcode, index, value, ptr, opt);
}

vst::VstIntPtr PluginHost::Answer(vst::VstInt32 opcode, vst::VstInt32 /*index*/,
                                  vst::VstIntPtr /*value*/, void* ptr, float /*opt*/) {
  switch (opcode) {
    case vst::audioMasterVersion:
      return vst::kVstVersion;
    case vst::audioMasterAutomate:
      ++activity_.automations;
      return 0;
    case vst::audioMasterBeginEdit:
      ++activity_.gesturesBegun;
      return 0;
    case vst::audioMasterEndEdit:
      ++activity_.gesturesEnded;
      return 0;
    case vst::audioMasterWantMidi:
      return 1;
    case vst::audioMasterGetTime:
      return reinterpret_cast<vst::VstIntPtr>(&timeInfo_);
    case vst::audioMasterProcessEvents:
      if (ptr == nullptr) return 0;
      activity_.eventsReceived += static_cast<const vst::VstEvents*>(ptr)->numEvents;
      return 1;
    case vst::audioMasterGetSampleRate:
      return static_cast<vst::VstIntPtr>(timeInfo_.sampleRate);
    case vst::audioMasterGetProductString:
      CopyText(product_, ptr, vst::kVstMaxProductStrLen);
      return 1;
    case vst::audioMasterGetVendorString:
      CopyText("Corvalent", ptr, vst::kVstMaxVendorStrLen);
      return 1;
    case vst::audioMasterGetVendorVersion:
      return kHostVendorVersion;
    default:
      return 0;
  }
}

}  // namespace render
