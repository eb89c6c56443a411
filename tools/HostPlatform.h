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
  // The module's entry point: "VSTPluginMain", or "main" for older modules.
  virtual vst::VstPluginMainProc EntryPoint() const = 0;
};

// Loads the module file at path; null with a reason in error when it fails.
std::unique_ptr<PluginModule> LoadPluginModule(const std::string& path, std::string& error);

// The path of the running executable, for finding the module built beside it.
std::string ExecutableDirectory();

// The file name of the plug-in module built by this project on this platform.
const char* DefaultModuleFileName();

bool StderrIsTerminal();

}  // namespace render
