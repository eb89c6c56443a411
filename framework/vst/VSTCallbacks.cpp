#include "framework/vst/VSTCallbacks.h"

#include <cmath>

#include "framework/core/Trace.h"
#include "framework/editor/IEditorBase.h"
#include "framework/vst/IProcessorVST.h"

namespace {

// The steps every audio callback shares: a frame count of 0 or less does
// nothing; otherwise the block runs under the plug-in lock, after the host has
// been told (on every block) that the plug-in wants MIDI. The base cuts calls
// longer than its scratch buffers into pieces, so a host that exceeds its
// announced block size is still served.
template <typename Deliver>
void RunBlock(vst::AEffect* effect, vst::VstInt32 frames, Deliver deliver) {
  IProcessorVST* plug = IProcessorVST::FromEffect(effect);
  if (plug == nullptr || frames <= 0) return;
  PlugLock lock(plug->Mutex());
  if (plug->DoesMidi()) plug->CallHost(vst::audioMasterWantMidi, 0, 1);
  deliver(*plug);
}

}  // namespace

void VSTProcessAccumulating(vst::AEffect* effect, float** inputs, float** outputs,
                            vst::VstInt32 sampleFrames) {
  RunBlock(effect, sampleFrames, [&](IProcessorVST& plug) {
    plug.ProcessFloatBlock(inputs, outputs, sampleFrames, true);
  });
}

void VSTProcessReplacing(vst::AEffect* effect, float** inputs, float** outputs,
                         vst::VstInt32 sampleFrames) {
  RunBlock(effect, sampleFrames, [&](IProcessorVST& plug) {
    plug.ProcessFloatBlock(inputs, outputs, sampleFrames, false);
  });
}

void VSTProcessDoubleReplacing(vst::AEffect* effect, double** inputs, double** outputs,
                               vst::VstInt32 sampleFrames) {
  RunBlock(effect, sampleFrames,
           [&](IProcessorVST& plug) { plug.ProcessDoubleBlock(inputs, outputs, sampleFrames); });
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
