#pragma once

#include <cstddef>
#include <cstdint>

// Module resources by type name ("PNG", "JPG") and integer id. On Windows they
// are the module's own resources; elsewhere the tables that
// corvalent_embed_resources() compiles into the binary register themselves at
// load time, and the module handle is not consulted.
using PXModuleHandle = void*;

// The module that contains the raster library (the plug-in or the program).
PXModuleHandle PXCurrentModule();

// Finds the resource; its bytes stay valid while the module is loaded. False
// when there is none.
bool PXFindResource(PXModuleHandle module, const char* type, int id, const uint8_t** data,
                    size_t* size);

// Embedded resources for platforms without a resource section.
struct PXEmbeddedResource {
  const char* type;
  int id;
  const unsigned char* data;
  size_t size;
};

struct PXResourceTable {
  const PXEmbeddedResource* entries;
  size_t count;
  PXResourceTable* next;
};

// Called from static initialisers of generated code; the table must outlive
// every lookup.
void PXRegisterResourceTable(PXResourceTable* table);
