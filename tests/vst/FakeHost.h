#pragma once
// A host for tests: it creates instances through the module's entry point,
// answers the plug-in's calls as configured and records every one of them.

#include <string>
#include <vector>

#include "framework/vst/VstAbi.h"

struct HostCall {
  vst::VstInt32 opcode;
  vst::VstInt32 index;
  vst::VstIntPtr value;
  float opt;
};

class FakeHost {
 public:
  explicit FakeHost(vst::VstPluginMainProc entry);
  ~FakeHost();
  FakeHost(const FakeHost&) = delete;
  FakeHost& operator=(const FakeHost&) = delete;

  // What the host says about itself when asked.
  std::string product = "Test Host";
  vst::VstIntPtr vendorVersion = 10203;
  // Returned for audioMasterGetTime; null means no time information.
  vst::VstTimeInfo* timeInfo = nullptr;
  vst::VstIntPtr acceptEvents = 1;

  // The effect from the entry point; the first one is made by the constructor.
  vst::AEffect* effect = nullptr;
  vst::AEffect* CreateAnother();

  vst::VstIntPtr Dispatch(vst::VstInt32 opcode, vst::VstInt32 index = 0, vst::VstIntPtr value = 0,
                          void* ptr = nullptr, float opt = 0.0f);
  // Opens the effect, sets rate and block size and switches it on.
  void Start(double sampleRate = 48000.0, int blockSize = 1024);
  std::string Text(vst::VstInt32 opcode, vst::VstInt32 index = 0);
  // The effect is closed by the test itself; the host must not close it again.
  void Forget() { effect = nullptr; }

  std::vector<HostCall> calls;
  // Copies of the events the plug-in sent with audioMasterProcessEvents.
  std::vector<vst::VstEvent> events;
  int Count(vst::VstInt32 opcode) const;

 private:
  static vst::VstIntPtr Callback(vst::AEffect* effect, vst::VstInt32 opcode, vst::VstInt32 index,
                                 vst::VstIntPtr value, void* ptr, float opt);

  vst::VstPluginMainProc entry_;
  std::vector<vst::AEffect*> others_;
};
