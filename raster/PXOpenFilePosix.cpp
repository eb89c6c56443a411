#include "raster/PXOpenFile.h"

std::FILE* PXOpenFileForReading(const char* utf8Name) {
  return utf8Name ? std::fopen(utf8Name, "rb") : nullptr;
}
