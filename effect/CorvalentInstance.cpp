// The one effect this module's entry point creates.

#include "effect/CorvalentEffect.h"
#include "framework/vst/VSTPluginMain.h"

IProcessorVST* CreatePluginInstance(vst::audioMasterCallback hostCallback) {
  return new CorvalentEffect(hostCallback);
}
