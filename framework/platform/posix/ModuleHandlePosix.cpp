#include <dlfcn.h>

#include "framework/platform/Module.h"

// Start of the executable image, from the GNU linker; weak, as a shared object
// may not see it.
extern "C" char __executable_start __attribute__((weak));

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
    if (dladdr(&gModuleAnchor, &info) != 0 && info.dli_fbase) {
      gModuleHandle = info.dli_fbase;
    } else {
      // Static executables have no dynamic loader information.
      gModuleHandle = &__executable_start;
    }
  }
  return gModuleHandle;
}
