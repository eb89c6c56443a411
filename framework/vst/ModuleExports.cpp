// What only the plug-in module itself carries: the second entry point "main"
// and, on Windows, the module entry that records the module's handle. A test
// executable links VSTPluginMain.cpp without this file.

#include "framework/platform/Module.h"
#include "framework/vst/VSTPluginMain.h"

#if defined(_WIN32)

// Exported as "main" through the module definition file; C++ reserves the
// name for the program entry.
extern "C" vst::AEffect* VSTMainForOldHosts(vst::audioMasterCallback hostCallback) {
  return VSTPluginMain(hostCallback);
}

// Declared here so that no Windows header is needed: BOOL DllMain(HINSTANCE,
// DWORD, LPVOID) with the system's calling convention.
extern "C" int __stdcall DllMain(void* instance, unsigned long /*reason*/, void* /*reserved*/) {
  SetModuleHandle(instance);
  return 1;
}

#else

// C++ reserves the name "main" for the program entry; the assembler name
// gives the module the export that older hosts look up.
extern "C" CORVALENT_VST_EXPORT vst::AEffect* VSTMainForOldHosts(
    vst::audioMasterCallback hostCallback) __asm__("main");

vst::AEffect* VSTMainForOldHosts(vst::audioMasterCallback hostCallback) {
  return VSTPluginMain(hostCallback);
}

#endif
