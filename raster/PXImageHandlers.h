#pragma once

#include "raster/PXBitmap.h"

// The process-wide list of image file types, for opening files by name.
struct PXImageHandler {
  // Loads the file (into dest when given); with checkExtension it first refuses
  // names whose extension is not its own. Null on refusal or failure.
  PXBitmap* (*load)(const char* fileName, bool checkExtension, PXBitmap* dest);
  // The file dialog filter text, e.g. "PNG files (*.PNG)".
  const char* (*filterText)();
  PXImageHandler* next;
};

// Pushes the handler at the head of the list; it must live as long as the list.
void PXRegisterImageHandler(PXImageHandler* handler);

// The first handler, or null; later registrations come first.
const PXImageHandler* PXFirstImageHandler();

// Registers the PNG and JPEG handlers, once per process however often called.
void PXRegisterDecoders();

// True when the text from the name's last '.', '/' or '\\' equals `extension`
// (".png") without regard to case.
bool PXHasExtension(const char* fileName, const char* extension);
