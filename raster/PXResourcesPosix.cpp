#include <cstring>

#include "raster/PXResources.h"

namespace {
// Constant-initialised, so registrations from any static initialiser find it.
PXResourceTable* gTables = nullptr;
}  // namespace

PXModuleHandle PXCurrentModule() {
  return nullptr;
}

void PXRegisterResourceTable(PXResourceTable* table) {
  table->next = gTables;
  gTables = table;
}

bool PXFindResource(PXModuleHandle, const char* type, int id, const uint8_t** data, size_t* size) {
  if (!type || !data || !size) return false;
  const int key = id & 0xFFFF;
  for (const PXResourceTable* t = gTables; t; t = t->next) {
    for (size_t i = 0; i < t->count; ++i) {
      const PXEmbeddedResource& e = t->entries[i];
      if (e.id == key && std::strcmp(e.type, type) == 0) {
        *data = e.data;
        *size = e.size;
        return true;
      }
    }
  }
  return false;
}
