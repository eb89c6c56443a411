#pragma once

#include <string>
#include <vector>

#include "framework/core/IProcessorBase.h"
#include "framework/editor/IEditorBase.h"

// An IProcessorBase whose host-facing hooks do nothing.
class StubbedProcessor : public IProcessorBase {
 public:
  using IProcessorBase::IProcessorBase;

  void BeginParamGesture(int) override {}
  void NotifyHostParamChange(int, double) override {}
  void EndParamGesture(int) override {}
  int64_t GetSamplePosition() override { return 0; }
  double GetHostTempo() override { return 0.0; }
  void GetTimeSignature(int* numerator, int* denominator) override {
    *numerator = 0;
    *denominator = 0;
  }
  void EditorResized(int, int) override {}
  void HostSpecificSetup() override {}
  bool SendMidiMessage(const MidiMessage*) override { return true; }
  bool SendMidiMessages(const MidiMessage*, int) override { return true; }
};

// The plug-in's identity, with parameter changes and host notices recorded.
class TestProcessor : public StubbedProcessor {
 public:
  explicit TestProcessor(int paramCount = 7, const char* channelIOStr = "1-1 2-2",
                         int presetCount = 16)
      : StubbedProcessor(paramCount, channelIOStr, presetCount, "Corvalent", "", "Velorbit",
                         0x20100, 0x6d766b37, 0x56656c6f, 0, true, false, false) {}

  void ParameterChanged(int paramIndex) override {
    IProcessorBase::ParameterChanged(paramIndex);
    changed.push_back(paramIndex);
  }
  void NotifyHostParamChange(int paramIndex, double value) override {
    notified.emplace_back(paramIndex, value);
  }

  std::vector<int> changed;
  std::vector<std::pair<int, double>> notified;
};

// Records what the plug-in hands to its editor; tells the test when deleted.
class FakeEditor : public IEditorBase {
 public:
  explicit FakeEditor(bool* deleted = nullptr) : deleted_(deleted) {}
  ~FakeEditor() override {
    if (deleted_) *deleted_ = true;
  }
  void CreateDrawSurface() override { surfaceCreatedAfter = pushes.size(); }
  void PushParameterToControls(int paramIndex, double value, bool normalized) override {
    pushes.push_back({paramIndex, value, normalized});
  }
  void PushValueToControl(int, double) override {}

  struct Push {
    int paramIndex;
    double value;
    bool normalized;
  };
  std::vector<Push> pushes;
  size_t surfaceCreatedAfter = static_cast<size_t>(-1);

 private:
  bool* deleted_;
};
