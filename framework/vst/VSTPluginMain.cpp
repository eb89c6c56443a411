#include "framework/vst/VSTPluginMain.h"

#include <memory>
#include <new>

#include "framework/platform/Module.h"
#include "framework/platform/PlugMutex.h"

// Hosts may create instances from several threads at once; construction
// touches module-wide state (the trace time stamp, shared caches).
extern "C" CORVALENT_VST_EXPORT vst::AEffect* VSTPluginMain(vst::audioMasterCallback hostCallback) {
  PlugLock lock(ModuleLock());
  // No exception may reach the host: a failed construction is a null record.
  try {
    std::unique_ptr<IProcessorVST> plug(CreatePluginInstance(hostCallback));
    if (!plug) return nullptr;
    plug->EnsureDefaultPreset();
    vst::AEffect* effect = plug.release()->Effect();
    if (effect->numPrograms < 1) effect->numPrograms = 1;
    return effect;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
