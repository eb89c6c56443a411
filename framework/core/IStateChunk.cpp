#include "framework/core/IStateChunk.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

bool IStateChunk::PutDouble(double value) {
  const int32_t oldSize = Size();
  if (oldSize > INT32_MAX - 8) return false;
  Resize(oldSize + 8, false);
  if (Size() != oldSize + 8) return false;
  std::memcpy(static_cast<char*>(Data()) + oldSize, &value, sizeof value);
  return true;
}

int IStateChunk::GetDouble(double* out, int position) const {
  if (position < 0 || position > Size() - 8) return -1;
  std::memcpy(out, static_cast<const char*>(Data()) + position, sizeof *out);
  return position + 8;
}

void IStateChunk::WriteChunkHeader() {
  Resize(0);
  if (!ResizeZeroed(kHeaderSize)) return;
  char* bytes = static_cast<char*>(Data());
  if (!bytes) return;
  std::memcpy(bytes, kMagic, sizeof kMagic);
  const int32_t version = kFormatVersion;
  std::memcpy(bytes + sizeof kMagic, &version, sizeof version);
}

bool IStateChunk::Assign(const void* data, int32_t size) {
  if (!data || size < 0) return false;
  if (!ResizeZeroed(size)) return false;
  if (size > 0) std::memcpy(Data(), data, static_cast<size_t>(size));
  return true;
}

void IPreset::SetName(const char* newName) {
  if (newName) std::snprintf(name, sizeof name, "%s", newName);
}
