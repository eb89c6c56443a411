#pragma once

#include <cstdint>

#include "framework/core/GrowBuf.h"

// A byte string of state: parameter values as native-endian IEEE doubles,
// optionally behind the header a host block carries.
class IStateChunk : public GrowBuf {
 public:
  static constexpr uint8_t kMagic[4] = {'t', 'f', 'f', 'p'};
  static constexpr int32_t kFormatVersion = 0x10000;
  static constexpr int32_t kHeaderSize = 8;

  IStateChunk() : GrowBuf(kCoreGranularity) {}

  // Appends 8 bytes; false (chunk unchanged) when it cannot grow.
  bool PutDouble(double value);
  // Reads the double at position; returns position + 8, or -1 (out untouched)
  // when the position is negative or fewer than 8 bytes remain there.
  int GetDouble(double* out, int position) const;
  // Clears the chunk and writes the magic and the format version.
  void WriteChunkHeader();
  // Copies size bytes in, replacing the contents; false (chunk unchanged) when
  // the data is missing, the size negative or the memory not to be had.
  bool Assign(const void* data, int32_t size);
};

// One preset slot: a name and serialised parameter values (no header).
struct IPreset {
  static constexpr int kNameSize = 256;

  bool initialised = false;
  char name[kNameSize] = {};
  IStateChunk values;

  // Copies the name, cut to 255 characters; null leaves it alone.
  void SetName(const char* newName);
};
