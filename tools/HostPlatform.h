#pragma once
// The few operating-system services the render host needs, one implementation
// per platform.

#include <memory>
#include <string>

#include "framework/vst/VstAbi.h"

namespace render {

// A loaded plug-in module; unloading happens when the object is destroyed.
class PluginModule {
 public:
  virtual ~PluginModule() = default;
  // An exported function by name; null when the module has none.
  virtual vst::VstPluginMainProc EntryPointNamed(const char* name) const = 0;
  // The module's entry point: "VSTPluginMain", or "main" for older modules.
  vst::VstPluginMainProc EntryPoint() const {
    vst::VstPluginMainProc entry = EntryPointNamed("VSTPluginMain");
    return entry != nullptr ? entry : EntryPointNamed("main");
  }
};

// Loads the module file at path; null with a reason in error when it fails.
std::unique_ptr<PluginModule> LoadPluginModule(const std::string& path, std::string& error);

// The path of the running executable, for finding the module built beside it.
std::string ExecutableDirectory();

// The file name of the plug-in module built by this project on this platform.
const char* DefaultModuleFileName();

bool StderrIsTerminal();

}  // namespace render
