#include <windows.h>

#include "raster/PXResources.h"

PXModuleHandle PXCurrentModule() {
  HMODULE module = nullptr;
  GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCSTR>(&PXCurrentModule), &module);
  return module;
}

// Resources need no release on Win32: LoadResource data lives with the module.
void PXRegisterResourceTable(PXResourceTable*) {}

bool PXFindResource(PXModuleHandle module, const char* type, int id, const uint8_t** data,
                    size_t* size) {
  if (!type || !data || !size) return false;
  HMODULE handle = static_cast<HMODULE>(module);
  HRSRC found = FindResourceA(handle, MAKEINTRESOURCEA(id & 0xFFFF), type);
  if (!found) return false;
  const DWORD bytes = SizeofResource(handle, found);
  HGLOBAL loaded = LoadResource(handle, found);
  const void* locked = loaded ? LockResource(loaded) : nullptr;
  if (!locked) return false;
  *data = static_cast<const uint8_t*>(locked);
  *size = bytes;
  return true;
}
