#pragma once
// The functions stored in the AEffect record. Each finds its IProcessorVST
// through the record's object field and runs under the plug-in lock; a record
// without an object is answered with 0 and nothing else.

#include "framework/vst/VstAbi.h"

extern "C" {
vst::VstIntPtr VSTDispatcher(vst::AEffect* effect, vst::VstInt32 opcode, vst::VstInt32 index,
                             vst::VstIntPtr value, void* ptr, float opt);
void VSTProcessAccumulating(vst::AEffect* effect, float** inputs, float** outputs,
                            vst::VstInt32 sampleFrames);
void VSTProcessReplacing(vst::AEffect* effect, float** inputs, float** outputs,
                         vst::VstInt32 sampleFrames);
void VSTProcessDoubleReplacing(vst::AEffect* effect, double** inputs, double** outputs,
                               vst::VstInt32 sampleFrames);
float VSTGetParameter(vst::AEffect* effect, vst::VstInt32 index);
void VSTSetParameter(vst::AEffect* effect, vst::VstInt32 index, float value);
}
