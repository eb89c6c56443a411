#include <dlfcn.h>

#include "framework/platform/Module.h"

namespace {

void* gModuleHandle = nullptr;
int gModuleAnchor = 0;

}  // namespace

void SetModuleHandle(void* handle) {
  gModuleHandle = handle;
}

void* ModuleHandle() {
  if (!gModuleHandle) {
    Dl_info info{};
    if (dladdr(&gModuleAnchor, &info) != 0) gModuleHandle = info.dli_fbase;
  }
  return gModuleHandle;
}
