#include "framework/vst/VSTPluginMain.h"

#include "framework/platform/Module.h"
#include "framework/platform/PlugMutex.h"

// Hosts may create instances from several threads at once; construction
// touches module-wide state (the trace time stamp, shared caches).
extern "C" vst::AEffect* VSTPluginMain(vst::audioMasterCallback hostCallback) {
  PlugLock lock(ModuleLock());
  IProcessorVST* plug = CreatePluginInstance(hostCallback);
  if (plug == nullptr) return nullptr;
  plug->EnsureDefaultPreset();
  vst::AEffect* effect = plug->Effect();
  if (effect->numPrograms < 1) effect->numPrograms = 1;
  return effect;
}
