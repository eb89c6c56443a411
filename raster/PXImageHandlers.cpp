#include "raster/PXImageHandlers.h"

#include <cctype>
#include <cstring>

#include "raster/PXLoadJPEG.h"
#include "raster/PXLoadPNG.h"

namespace {

PXImageHandler* gHandlers = nullptr;

PXBitmap* LoadPngFile(const char* fileName, bool checkExtension, PXBitmap* dest) {
  if (checkExtension && !PXHasExtension(fileName, ".png")) return nullptr;
  return PXLoadPNG(fileName, dest);
}

PXBitmap* LoadJpegFile(const char* fileName, bool checkExtension, PXBitmap* dest) {
  if (checkExtension && !PXHasExtension(fileName, ".jpg") && !PXHasExtension(fileName, ".jpeg") &&
      !PXHasExtension(fileName, ".jfif")) {
    return nullptr;
  }
  return PXLoadJPEG(fileName, dest);
}

const char* PngFilter() {
  return "PNG files (*.PNG)";
}
const char* JpegFilter() {
  return "JPEG files (*.JPG;*.JPEG;*.JFIF)";
}

PXImageHandler gPngHandler{LoadPngFile, PngFilter, nullptr};
PXImageHandler gJpegHandler{LoadJpegFile, JpegFilter, nullptr};

}  // namespace

void PXRegisterImageHandler(PXImageHandler* handler) {
  handler->next = gHandlers;
  gHandlers = handler;
}

const PXImageHandler* PXFirstImageHandler() {
  return gHandlers;
}

void PXRegisterDecoders() {
  static const bool registered = [] {
    PXRegisterImageHandler(&gPngHandler);
    PXRegisterImageHandler(&gJpegHandler);
    return true;
  }();
  (void)registered;
}

bool PXHasExtension(const char* fileName, const char* extension) {
  if (!fileName || !extension) return false;
  const char* tail = nullptr;
  for (const char* p = fileName; *p; ++p) {
    if (*p == '.' || *p == '/' || *p == '\\') tail = p;
  }
  if (!tail || std::strlen(tail) != std::strlen(extension)) return false;
  for (size_t i = 0; tail[i]; ++i) {
    if (std::tolower(static_cast<unsigned char>(tail[i])) !=
        std::tolower(static_cast<unsigned char>(extension[i]))) {
      return false;
    }
  }
  return true;
}
