#pragma once
// The module's entry point. The module that links it defines
// CreatePluginInstance, the one place that names the effect class.

#include "framework/vst/IProcessorVST.h"

// Creates the module's effect for a host; null when it cannot be allocated.
IProcessorVST* CreatePluginInstance(vst::audioMasterCallback hostCallback);

// The module exports exactly its entry points; everything else stays hidden.
#if defined(_WIN32)
#define CORVALENT_VST_EXPORT
#else
#define CORVALENT_VST_EXPORT __attribute__((visibility("default")))
#endif

extern "C" CORVALENT_VST_EXPORT vst::AEffect* VSTPluginMain(vst::audioMasterCallback hostCallback);
