#pragma once

#include "raster/PXBitmap.h"
#include "raster/PXMemBitmap.h"

// Where a decoder writes: the caller's bitmap or one it creates. Plain data so
// that it may live across the decoders' setjmp frames. Internal.
struct PXDecodeTarget {
  PXBitmap* supplied = nullptr;
  PXBitmap* bitmap = nullptr;
  PXMemBitmap* created = nullptr;  // owned until the decode succeeds
};

// Sizes the supplied bitmap or creates one; false unless the bitmap then has
// exactly width x height addressable pixels.
bool PXPrepareDecodeTarget(PXDecodeTarget* target, int width, int height);

// The decoded bitmap on success; on failure the created bitmap is deleted and
// null returned.
PXBitmap* PXFinishDecodeTarget(PXDecodeTarget* target, bool decoded);
