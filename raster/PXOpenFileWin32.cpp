#include <windows.h>

#include "raster/PXOpenFile.h"

std::FILE* PXOpenFileForReading(const char* utf8Name) {
  if (!utf8Name) return nullptr;
  constexpr int kMaxWide = 2048;
  wchar_t wide[kMaxWide];
  if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8Name, -1, wide, kMaxWide) > 0) {
    if (std::FILE* file = _wfopen(wide, L"rb")) return file;
  }
  return std::fopen(utf8Name, "rb");
}
