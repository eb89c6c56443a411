#include "framework/core/GrowBuf.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

constexpr int64_t kPage = 4096;
constexpr int64_t kLargeHalfMax = 0x400000;
// Large blocks stop 96 bytes short of a page multiple, leaving the allocator's
// own header room within the page.
constexpr int64_t kAllocatorSlack = 96;

}  // namespace

GrowBuf::~GrowBuf() {
  std::free(data_);
}

int64_t GrowBuf::AllocationFor(int32_t newSize) const {
  int64_t half = std::max<int64_t>(newSize / 2, granularity_);
  int64_t allocation;
  if (granularity_ < kPage) {
    allocation = static_cast<int64_t>(newSize) + half;
  } else {
    half = std::clamp<int64_t>(half / kPage * kPage, kPage, kLargeHalfMax);
    allocation = (newSize + half + kAllocatorSlack) / kPage * kPage - kAllocatorSlack;
  }
  return std::max<int64_t>(allocation, minimumAllocation_);
}

void* GrowBuf::Resize(int32_t newSize, bool allowShrink) {
  if (newSize < 0 || newSize == usedSize_) return Data();

  const bool grow = newSize > allocatedSize_;
  const bool shrink = allowShrink && newSize < usedSize_ && newSize < allocatedSize_ / 2 &&
                      newSize < allocatedSize_ - 4 * static_cast<int64_t>(granularity_);
  if (grow || shrink) {
    const int64_t allocation = AllocationFor(newSize);
    if (allocation > std::numeric_limits<int32_t>::max()) return Data();
    if (allocation != allocatedSize_) {
      void* block = std::realloc(data_, static_cast<size_t>(allocation));
      if (!block && newSize > 0) {
        block = std::malloc(static_cast<size_t>(allocation));
        if (!block) return Data();
        if (data_) std::memcpy(block, data_, static_cast<size_t>(std::min(usedSize_, newSize)));
        std::free(data_);
      }
      data_ = block;
      allocatedSize_ = static_cast<int32_t>(allocation);
    }
  }
  usedSize_ = newSize;
  return Data();
}

bool GrowBuf::ResizeZeroed(int32_t newSize) {
  const int32_t oldSize = usedSize_;
  Resize(newSize);
  if (usedSize_ != newSize) return false;
  if (newSize > oldSize) {
    std::memset(static_cast<char*>(data_) + oldSize, 0, static_cast<size_t>(newSize - oldSize));
  }
  return true;
}
