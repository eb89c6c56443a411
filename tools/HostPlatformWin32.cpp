#include <io.h>
#include <windows.h>

#include <cstdio>

#include "tools/HostPlatform.h"

namespace render {
namespace {

class Win32Module final : public PluginModule {
 public:
  explicit Win32Module(HMODULE handle) : handle_(handle) {}
  ~Win32Module() override { FreeLibrary(handle_); }
  Win32Module(const Win32Module&) = delete;
  Win32Module& operator=(const Win32Module&) = delete;

  vst::VstPluginMainProc EntryPointNamed(const char* name) const override {
    return reinterpret_cast<vst::VstPluginMainProc>(
        reinterpret_cast<void*>(GetProcAddress(handle_, name)));
  }

 private:
  HMODULE handle_;
};

}  // namespace

std::unique_ptr<PluginModule> LoadPluginModule(const std::string& path, std::string& error) {
  HMODULE handle = LoadLibraryA(path.c_str());
  if (handle == nullptr) {
    error = "LoadLibrary failed with error " + std::to_string(GetLastError());
    return nullptr;
  }
  return std::make_unique<Win32Module>(handle);
}

std::string ExecutableDirectory() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return ".";
  std::string full(path, length);
  const size_t slash = full.find_last_of("\\/");
  return slash == std::string::npos ? "." : full.substr(0, slash);
}

const char* DefaultModuleFileName() {
  return sizeof(void*) == 8 ? "Corvalent_x64.dll" : "Corvalent_x86.dll";
}

bool StderrIsTerminal() {
  return _isatty(_fileno(stderr)) != 0;
}

}  // namespace render
