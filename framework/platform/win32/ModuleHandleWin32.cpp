#include <windows.h>

#include "framework/platform/Module.h"

namespace {

HMODULE gModuleHandle = nullptr;

}  // namespace

void SetModuleHandle(void* handle) {
  gModuleHandle = static_cast<HMODULE>(handle);
}

void* ModuleHandle() {
  if (!gModuleHandle) {
    // Not loaded through a module entry (a test executable, a static link):
    // the module that holds this function.
    GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(&gModuleHandle), &gModuleHandle);
  }
  return gModuleHandle;
}
