#pragma once
// The module's entry point. The module that links it defines
// CreatePluginInstance, the one place that names the effect class.

#include "framework/vst/IProcessorVST.h"

// Creates the module's effect for a host; null when it cannot be allocated.
IProcessorVST* CreatePluginInstance(vst::audioMasterCallback hostCallback);

extern "C" vst::AEffect* VSTPluginMain(vst::audioMasterCallback hostCallback);
