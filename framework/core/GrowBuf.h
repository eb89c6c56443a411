#pragma once

#include <cstddef>
#include <cstdint>

// A growable heap byte buffer: the storage under every list and byte buffer of
// the framework. It owns its block; copying is not allowed.
class GrowBuf {
 public:
  static constexpr int32_t kCoreGranularity = 4096;

  explicit GrowBuf(int32_t granularity = kCoreGranularity) : granularity_(granularity) {}
  ~GrowBuf();
  GrowBuf(const GrowBuf&) = delete;
  GrowBuf& operator=(const GrowBuf&) = delete;

  // Sets the used size, growing the block by the granularity rules; the block is
  // given back only when allowShrink is set and the new size is far below it.
  // Returns the data pointer, or null when the used size ends up 0. On an
  // allocation failure nothing changes. Negative sizes are refused.
  void* Resize(int32_t newSize, bool allowShrink = true);
  // As Resize, and fills the bytes beyond the old used size with zeros.
  // Returns false (buffer unchanged) when the size cannot be had.
  bool ResizeZeroed(int32_t newSize);

  void* Data() const { return usedSize_ > 0 ? data_ : nullptr; }
  // The block itself, also when the used size is 0.
  void* Block() const { return data_; }
  int32_t Size() const { return usedSize_; }
  int32_t AllocatedSize() const { return allocatedSize_; }
  int32_t Granularity() const { return granularity_; }
  void SetMinimumAllocation(int32_t bytes) { minimumAllocation_ = bytes; }

 private:
  // The allocation the rules give for a used size of newSize.
  int64_t AllocationFor(int32_t newSize) const;

  void* data_ = nullptr;
  int32_t granularity_;
  int32_t allocatedSize_ = 0;
  int32_t usedSize_ = 0;
  int32_t minimumAllocation_ = 0;
};

// A list of pointers kept in a GrowBuf. Indexed access outside the list gives
// null. It does not own its elements; OwningPtrArray does.
template <typename T>
class PtrArray {
 public:
  explicit PtrArray(int32_t granularity = GrowBuf::kCoreGranularity) : buf_(granularity) {}

  // Appends; false when the list could not grow (the element is then not kept).
  bool Add(T* element) {
    const int32_t newSize = buf_.Size() + static_cast<int32_t>(sizeof(T*));
    buf_.Resize(newSize, false);
    if (buf_.Size() != newSize) return false;
    Items()[Count() - 1] = element;
    return true;
  }

  // Inserts at position 0, shifting every element up by one.
  bool AddFront(T* element) {
    if (!Add(element)) return false;
    T** items = Items();
    for (int i = Count() - 1; i > 0; --i) items[i] = items[i - 1];
    items[0] = element;
    return true;
  }

  T* Get(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return Items()[index];
  }

  // Unchecked: index must lie in 0..Count()-1 (loops over the list).
  T* At(int index) const { return Items()[index]; }

  int Count() const { return buf_.Size() / static_cast<int32_t>(sizeof(T*)); }

  // Forgets every element without deleting any.
  void Clear() { buf_.Resize(0); }

 protected:
  T** Items() const { return static_cast<T**>(buf_.Block()); }

 private:
  GrowBuf buf_;
};

// A PtrArray that owns its elements and deletes them from the last to the first.
template <typename T>
class OwningPtrArray : public PtrArray<T> {
 public:
  using PtrArray<T>::PtrArray;
  OwningPtrArray(const OwningPtrArray&) = delete;
  OwningPtrArray& operator=(const OwningPtrArray&) = delete;
  ~OwningPtrArray() { DeleteAll(); }

  void DeleteAll() {
    for (int i = this->Count() - 1; i >= 0; --i) delete this->Get(i);
    this->Clear();
  }
};
