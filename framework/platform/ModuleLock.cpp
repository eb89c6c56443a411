#include "framework/platform/Module.h"
#include "framework/platform/PlugMutex.h"

PlugMutex& ModuleLock() {
  // Built on first use (thread-safe), destroyed at module unload.
  static PlugMutex lock;
  return lock;
}
