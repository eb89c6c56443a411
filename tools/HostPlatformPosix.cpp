#include <dlfcn.h>
#include <unistd.h>

#include <climits>

#include "tools/HostPlatform.h"

namespace render {
namespace {

class PosixModule final : public PluginModule {
 public:
  explicit PosixModule(void* handle) : handle_(handle) {}
  ~PosixModule() override { dlclose(handle_); }
  PosixModule(const PosixModule&) = delete;
  PosixModule& operator=(const PosixModule&) = delete;

  vst::VstPluginMainProc EntryPointNamed(const char* name) const override {
    return reinterpret_cast<vst::VstPluginMainProc>(dlsym(handle_, name));
  }

 private:
  void* handle_;
};

}  // namespace

std::unique_ptr<PluginModule> LoadPluginModule(const std::string& path, std::string& error) {
  // dlopen searches the library path for a bare name; a plug-in is always a file.
  const std::string file = path.find('/') == std::string::npos ? "./" + path : path;
  void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* reason = dlerror();
    error = reason != nullptr ? reason : "cannot load module";
    return nullptr;
  }
  return std::make_unique<PosixModule>(handle);
}

std::string ExecutableDirectory() {
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
  if (length <= 0) return ".";
  std::string full(path, static_cast<size_t>(length));
  const size_t slash = full.rfind('/');
  return slash == std::string::npos ? "." : full.substr(0, slash);
}

const char* DefaultModuleFileName() {
  return "Corvalent.so";
}

bool StderrIsTerminal() {
  return isatty(STDERR_FILENO) != 0;
}

}  // namespace render
