#pragma once

class PlugMutex;

// The module-wide lock that serialises the creation of effect objects. Created
// on first use, deleted when the module is unloaded.
PlugMutex& ModuleLock();

// The module's own handle, for finding its embedded resources: the HMODULE the
// entry point stored on Windows; elsewhere the load address of the shared
// object (or executable) this code was linked into.
void* ModuleHandle();
// Called by the Windows module entry with its instance handle.
void SetModuleHandle(void* handle);
