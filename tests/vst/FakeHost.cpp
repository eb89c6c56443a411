#include "tests/vst/FakeHost.h"

#include <algorithm>
#include <cstring>

namespace {

// The effect does not know its host until the record's user field is set, and
// the entry point calls nobody, so the callback can find its host there.
FakeHost* HostOf(vst::AEffect* effect) {
  return effect != nullptr ? static_cast<FakeHost*>(effect->user) : nullptr;
}

}  // namespace

FakeHost::FakeHost(vst::VstPluginMainProc entry) : entry_(entry) {
  effect = entry_(&FakeHost::Callback);
  if (effect != nullptr) effect->user = this;
}

FakeHost::~FakeHost() {
  for (vst::AEffect* other : others_) other->dispatcher(other, vst::effClose, 0, 0, nullptr, 0.0f);
  if (effect != nullptr) Dispatch(vst::effClose);
}

vst::AEffect* FakeHost::CreateAnother() {
  vst::AEffect* other = entry_(&FakeHost::Callback);
  if (other != nullptr) {
    other->user = this;
    others_.push_back(other);
  }
  return other;
}

vst::VstIntPtr FakeHost::Dispatch(vst::VstInt32 opcode, vst::VstInt32 index, vst::VstIntPtr value,
                                  void* ptr, float opt) {
  return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

void FakeHost::Start(double sampleRate, int blockSize) {
  Dispatch(vst::effOpen);
  Dispatch(vst::effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
  Dispatch(vst::effSetBlockSize, 0, blockSize);
  Dispatch(vst::effMainsChanged, 0, 1);
}

std::string FakeHost::Text(vst::VstInt32 opcode, vst::VstInt32 index) {
  char text[512] = {};
  Dispatch(opcode, index, 0, text);
  return text;
}

int FakeHost::Count(vst::VstInt32 opcode) const {
  return static_cast<int>(std::count_if(calls.begin(), calls.end(),
                                        [&](const HostCall& c) { return c.opcode == opcode; }));
}

vst::VstIntPtr FakeHost::Callback(vst::AEffect* effect, vst::VstInt32 opcode, vst::VstInt32 index,
                                  vst::VstIntPtr value, void* ptr, float opt) {
  FakeHost* host = HostOf(effect);
  if (host == nullptr) return 0;
  host->calls.push_back({opcode, index, value, opt});
  switch (opcode) {
    case vst::audioMasterGetProductString:
      std::strcpy(static_cast<char*>(ptr), host->product.c_str());
      return 1;
    case vst::audioMasterGetVendorVersion:
      return host->vendorVersion;
    case vst::audioMasterGetTime:
      return reinterpret_cast<vst::VstIntPtr>(host->timeInfo);
    case vst::audioMasterProcessEvents: {
      const auto* list = static_cast<const vst::VstEvents*>(ptr);
      for (vst::VstInt32 i = 0; i < list->numEvents; ++i) host->events.push_back(*list->events[i]);
      return host->acceptEvents;
    }
    default:
      return 0;
  }
}
