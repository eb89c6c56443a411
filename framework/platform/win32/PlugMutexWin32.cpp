#include <windows.h>

#include <new>

#include "framework/platform/PlugMutex.h"

namespace {

CRITICAL_SECTION* Native(unsigned char* storage) {
  return std::launder(reinterpret_cast<CRITICAL_SECTION*>(storage));
}

}  // namespace

PlugMutex::PlugMutex() {
  static_assert(sizeof(CRITICAL_SECTION) <= sizeof storage_, "storage too small");
  static_assert(alignof(CRITICAL_SECTION) <= 8, "storage under-aligned");
  InitializeCriticalSection(new (storage_) CRITICAL_SECTION);
}

PlugMutex::~PlugMutex() {
  DeleteCriticalSection(Native(storage_));
}

void PlugMutex::Lock() {
  EnterCriticalSection(Native(storage_));
}

void PlugMutex::Unlock() {
  LeaveCriticalSection(Native(storage_));
}
