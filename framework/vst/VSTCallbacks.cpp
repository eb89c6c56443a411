#include "framework/vst/VSTCallbacks.h"

#include <cmath>

#include "framework/core/Trace.h"
#include "framework/editor/IEditorBase.h"
#include "framework/vst/IProcessorVST.h"

namespace {

enum class Delivery { Accumulating, Replacing };

// Runs with the lock held. The base cuts calls longer than its scratch
// buffers into pieces, so a host that exceeds its announced block size is
// still served.
void ProcessFloat(vst::AEffect* effect, float** inputs, float** outputs, vst::VstInt32 frames,
                  Delivery delivery) {
  IProcessorVST* plug = IProcessorVST::FromEffect(effect);
  if (plug == nullptr || frames <= 0) return;
  PlugLock lock(plug->Mutex());
  if (plug->DoesMidi()) plug->CallHost(vst::audioMasterWantMidi, 0, 1);
  plug->ProcessFloatBlock(inputs, outputs, frames, delivery == Delivery::Accumulating);
}

}  // namespace

void VSTProcessAccumulating(vst::AEffect* effect, float** inputs, float** outputs,
                            vst::VstInt32 sampleFrames) {
  ProcessFloat(effect, inputs, outputs, sampleFrames, Delivery::Accumulating);
}

void VSTProcessReplacing(vst::AEffect* effect, float** inputs, float** outputs,
                         vst::VstInt32 sampleFrames) {
  ProcessFloat(effect, inputs, outputs, sampleFrames, Delivery::Replacing);
}

void VSTProcessDoubleReplacing(vst::AEffect* effect, double** inputs, double** outputs,
                               vst::VstInt32 sampleFrames) {
  IProcessorVST* plug = IProcessorVST::FromEffect(effect);
  if (plug == nullptr || sampleFrames <= 0) return;
  PlugLock lock(plug->Mutex());
  if (plug->DoesMidi()) plug->CallHost(vst::audioMasterWantMidi, 0, 1);
  plug->ProcessDoubleBlock(inputs, outputs, sampleFrames);
}

float VSTGetParameter(vst::AEffect* effect, vst::VstInt32 index) {
  TracePoint("IProcessorVST::VSTGetParameter", __LINE__, "%d", index);
  IProcessorVST* plug = IProcessorVST::FromEffect(effect);
  if (plug == nullptr) return 0.0f;
  PlugLock lock(plug->Mutex());
  const IParameter* parameter = plug->Parameter(index);
  return parameter != nullptr ? static_cast<float>(parameter->GetNormalized()) : 0.0f;
}

void VSTSetParameter(vst::AEffect* effect, vst::VstInt32 index, float value) {
  TracePoint("IProcessorVST::VSTSetParameter", __LINE__, "%d:%f", index,
             static_cast<double>(value));
  IProcessorVST* plug = IProcessorVST::FromEffect(effect);
  // A host's NaN or infinity would poison the effect's working state.
  if (plug == nullptr || !std::isfinite(value)) return;
  PlugLock lock(plug->Mutex());
  IParameter* parameter = plug->Parameter(index);
  if (parameter == nullptr) return;
  // Hosts are to send 0 to 1; anything beyond is taken as the nearer end.
  const double normalized = std::fmin(std::fmax(static_cast<double>(value), 0.0), 1.0);
  if (IEditorBase* editor = plug->Editor()) {
    editor->PushParameterToControls(index, normalized, true);
  }
  parameter->SetNormalized(normalized);
  plug->ParameterChanged(index);
}
