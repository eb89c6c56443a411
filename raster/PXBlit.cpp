#include "raster/PXBlit.h"

#include <algorithm>
#include <cstring>

#include "raster/PXCombine.h"
#include "raster/PXRowKernels.h"
#include "raster/PXRows.h"

namespace {

// The clipped block: width x height pixels from src to dst.
struct Block {
  const uint32_t* src;
  ptrdiff_t srcStride;
  uint32_t* dst;
  ptrdiff_t dstStride;
  int width;
  int height;
};

template <class RowFn>
void ForEachRow(const Block& b, RowFn&& row) {
  for (int y = 0; y < b.height; ++y) row(b.dst + y * b.dstStride, b.src + y * b.srcStride);
}

void BlitChannel(const Block& b, uint32_t mode) {
  const int srcByte = static_cast<int>(mode & 3);
  const int dstByte = static_cast<int>((mode >> 2) & 3);
  ForEachRow(b, [&](uint32_t* d, const uint32_t* s) {
    auto* db = reinterpret_cast<uint8_t*>(d);
    const auto* sb = reinterpret_cast<const uint8_t*>(s);
    for (int x = 0; x < b.width; ++x) db[x * 4 + dstByte] = sb[x * 4 + srcByte];
  });
}

void BlitCopyVerbatim(const Block& b) {
  const size_t bytes = static_cast<size_t>(b.width) * 4;
  // Whole rows of two bitmaps as wide as the block lie end to end: one copy,
  // unless the blocks overlap, where the row order decides the result.
  const size_t total = bytes * static_cast<size_t>(b.height);
  const auto src = reinterpret_cast<uintptr_t>(b.src);
  const auto dst = reinterpret_cast<uintptr_t>(b.dst);
  if (b.srcStride == b.width && b.dstStride == b.width &&
      (src + total <= dst || dst + total <= src)) {
    std::memcpy(b.dst, b.src, total);
    return;
  }
  ForEachRow(b, [&](uint32_t* d, const uint32_t* s) { std::memmove(d, s, bytes); });
}

void BlitCopyHalfWeight(const Block& b) {
  ForEachRow(b, [&](uint32_t* d, const uint32_t* s) { PXAverageRow(d, s, b.width); });
}

template <bool kSourceAlpha>
void BlitCopyWeighted(const Block& b, int w) {
  ForEachRow(b, [&](uint32_t* d, const uint32_t* s) {
    PXCopyRowWeighted<kSourceAlpha>(d, s, b.width, w);
  });
}

template <PXStep kStep, bool kSourceAlpha>
void BlitCombine(const Block& b, int w) {
  ForEachRow(b, [&](uint32_t* d, const uint32_t* s) {
    for (int x = 0; x < b.width; ++x) PXCombineWord<kStep, kSourceAlpha>(d + x, s[x], w);
  });
}

void BlitBlock(const Block& b, float alpha, uint32_t mode) {
  if ((mode & PX_COMBINE_MASK) >= PX_COMBINE_CHANNEL) {
    BlitChannel(b, mode);
    return;
  }
  const int w = PXWeightFromAlpha(alpha);
  if ((mode & (PX_SOURCE_ALPHA | PX_COMBINE_MASK)) == PX_COMBINE_COPY) {
    if (alpha == 1.0f) {
      BlitCopyVerbatim(b);
    } else if (alpha == 0.5f) {
      BlitCopyHalfWeight(b);
    } else if (w > 0 && w <= 256) {
      BlitCopyWeighted<false>(b, w);
    } else if (w > 256) {
      BlitCombine<PXStep::kCopy, false>(b, w);
    }
    return;
  }
  if (w == 0) return;
  if ((mode & (PX_SOURCE_ALPHA | PX_COMBINE_MASK)) == (PX_SOURCE_ALPHA | PX_COMBINE_COPY) &&
      w > 0 && w <= 256) {
    BlitCopyWeighted<true>(b, w);
    return;
  }
  PXDispatchCombine(
      mode, [&]<PXStep kStep, bool kSourceAlpha>() { BlitCombine<kStep, kSourceAlpha>(b, w); });
}

}  // namespace

void PXBlit(PXBitmap* dest, PXBitmap* src, int destX, int destY, int srcX, int srcY, int width,
            int height, float alpha, uint32_t mode) {
  if (!dest || !src || alpha == 0.0f) return;
  const PXRows to = PXRowsOf(*dest);
  const PXRows from = PXRowsOf(*src);
  if (!to.first || !from.first) return;

  // 64-bit so that no argument can overflow the clipping arithmetic.
  int64_t x1 = srcX, y1 = srcY;
  int64_t x2 = std::min<int64_t>(x1 + width, from.width);
  int64_t y2 = std::min<int64_t>(y1 + height, from.height);
  int64_t dx = destX, dy = destY;
  if (x1 < 0) dx -= x1, x1 = 0;
  if (y1 < 0) dy -= y1, y1 = 0;
  if (dx < 0) x1 -= dx, dx = 0;
  if (dy < 0) y1 -= dy, dy = 0;
  if (to.width < x2 - x1 + dx) x2 = to.width - dx + x1;
  if (to.height < y2 - y1 + dy) y2 = to.height - dy + y1;
  if (x1 >= x2 || y1 >= y2) return;

  const Block block{from.At(static_cast<int>(x1), static_cast<int>(y1)),
                    from.stride,
                    to.At(static_cast<int>(dx), static_cast<int>(dy)),
                    to.stride,
                    static_cast<int>(x2 - x1),
                    static_cast<int>(y2 - y1)};
  BlitBlock(block, alpha, mode);
}

void PXBlit(PXBitmap* dest, PXBitmap* src, int destX, int destY, float alpha, uint32_t mode) {
  if (!src) return;
  PXBlit(dest, src, destX, destY, 0, 0, src->GetWidth(), src->GetHeight(), alpha, mode);
}

void PXCopyBitmap(PXBitmap* dest, PXBitmap* src) {
  if (!dest || !src) return;
  dest->Resize(src->GetWidth(), src->GetHeight());
  PXBlit(dest, src, 0, 0, 1.0f, PX_COMBINE_COPY);
}
