// Our blits and decoders against pixman and libspng on identical pixels: the
// editor's surface size (363 x 334), a 40 x 40 control with random alpha and
// one shaped like artwork, and the two artwork strip shapes.
#include <benchmark/benchmark.h>
#include <pixman.h>
#include <spng.h>

#include <cmath>
#include <random>
#include <vector>

#include "raster/PXBlit.h"
#include "raster/PXLoadPNG.h"
#include "raster/PXMemBitmap.h"
#include "raster/PXMode.h"
#include "raster/PXScaledBlit.h"
#include "tests/raster/FixtureImages.h"

namespace {

constexpr int kSurfaceWidth = 363;
constexpr int kSurfaceHeight = 334;

void Randomise(PXMemBitmap& b, uint32_t seed) {
  std::mt19937 rng(seed);
  const int n = b.GetWidth() * b.GetHeight();
  for (int i = 0; i < n; ++i) b.GetPixels()[i] = static_cast<uint32_t>(rng());
}

pixman_image_t* Wrap(PXMemBitmap& b) {
  return pixman_image_create_bits(PIXMAN_a8r8g8b8, b.GetWidth(), b.GetHeight(), b.GetPixels(),
                                  b.GetRowSpan() * 4);
}

// A control image as artwork looks: a disc, opaque inside, transparent
// outside, with a two-pixel soft edge.
void DrawDisc(PXMemBitmap& b, uint32_t seed) {
  std::mt19937 rng(seed);
  const int w = b.GetWidth(), h = b.GetHeight();
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const double dx = x - w / 2.0 + 0.5, dy = y - h / 2.0 + 0.5;
      const double edge = (w / 2.0 - 1.0 - std::sqrt(dx * dx + dy * dy)) / 2.0;
      const int alpha = edge >= 1.0 ? 255 : (edge <= 0.0 ? 0 : static_cast<int>(edge * 255.0));
      b.GetPixels()[y * w + x] = static_cast<uint32_t>(alpha) << 24 | (rng() & 0xFFFFFF);
    }
  }
}

struct Surfaces {
  PXMemBitmap surface{kSurfaceWidth, kSurfaceHeight};
  PXMemBitmap control{40, 40};
  PXMemBitmap full{kSurfaceWidth, kSurfaceHeight};
  PXMemBitmap small{200, 200};
  PXMemBitmap disc{40, 40};
  Surfaces() {
    Randomise(surface, 1);
    Randomise(control, 2);
    DrawDisc(disc, 5);
    Randomise(full, 3);
    Randomise(small, 4);
  }
};

Surfaces& Shared() {
  static Surfaces s;
  return s;
}

// One of our operations on the shared images per iteration.
template <class Draw>
void RunOurs(benchmark::State& state, Draw&& draw) {
  Surfaces& s = Shared();
  for (auto _ : state) {
    draw(s);
    benchmark::ClobberMemory();
  }
}

void OursSourceAlphaBlit40(benchmark::State& state) {
  RunOurs(state, [](Surfaces& s) {
    PXBlit(&s.surface, &s.control, 100, 100, 1.0f, PX_COMBINE_COPY | PX_SOURCE_ALPHA);
  });
}

void OursSourceAlphaDisc40(benchmark::State& state) {
  RunOurs(state, [](Surfaces& s) {
    PXBlit(&s.surface, &s.disc, 100, 100, 1.0f, PX_COMBINE_COPY | PX_SOURCE_ALPHA);
  });
}

// Rows narrower than the surface: one copy per row.
void OursOpaqueCopy40(benchmark::State& state) {
  RunOurs(state,
          [](Surfaces& s) { PXBlit(&s.surface, &s.control, 100, 100, 1.0f, PX_COMBINE_COPY); });
}

void OursOpaqueCopy(benchmark::State& state) {
  RunOurs(state, [](Surfaces& s) { PXBlit(&s.surface, &s.full, 0, 0, 1.0f, PX_COMBINE_COPY); });
}

void OursHalfBlend(benchmark::State& state) {
  RunOurs(state, [](Surfaces& s) { PXBlit(&s.surface, &s.full, 0, 0, 0.5f, PX_COMBINE_COPY); });
}

void OursBilinearScale(benchmark::State& state) {
  RunOurs(state, [](Surfaces& s) {
    PXScaledBlit(&s.surface, &s.small, 0, 0, kSurfaceWidth, kSurfaceHeight, 0.0f, 0.0f, 200.0f,
                 200.0f, 1.0f, PX_COMBINE_COPY | PX_SAMPLE_BILINEAR);
  });
}

// One pixman composite onto the surface per iteration; `prepare` may set a
// transform and filter on the source.
template <class Prepare>
void RunPixman(benchmark::State& state, pixman_op_t op, PXMemBitmap& source, uint16_t maskAlpha,
               int x, int y, int width, int height, Prepare&& prepare) {
  pixman_image_t* dst = Wrap(Shared().surface);
  pixman_image_t* src = Wrap(source);
  prepare(src);
  const pixman_color_t maskColour = {0, 0, 0, maskAlpha};
  pixman_image_t* mask = maskAlpha ? pixman_image_create_solid_fill(&maskColour) : nullptr;
  for (auto _ : state) {
    pixman_image_composite32(op, src, mask, dst, 0, 0, 0, 0, x, y, width, height);
    benchmark::ClobberMemory();
  }
  if (mask) pixman_image_unref(mask);
  pixman_image_unref(src);
  pixman_image_unref(dst);
}

void NoPreparation(pixman_image_t*) {}

void PixmanOver40(benchmark::State& state) {
  RunPixman(state, PIXMAN_OP_OVER, Shared().control, 0, 100, 100, 40, 40, NoPreparation);
}

void PixmanOverDisc40(benchmark::State& state) {
  RunPixman(state, PIXMAN_OP_OVER, Shared().disc, 0, 100, 100, 40, 40, NoPreparation);
}

void PixmanSrcCopy40(benchmark::State& state) {
  RunPixman(state, PIXMAN_OP_SRC, Shared().control, 0, 100, 100, 40, 40, NoPreparation);
}

void PixmanSrcCopy(benchmark::State& state) {
  RunPixman(state, PIXMAN_OP_SRC, Shared().full, 0, 0, 0, kSurfaceWidth, kSurfaceHeight,
            NoPreparation);
}

void PixmanHalfBlend(benchmark::State& state) {
  RunPixman(state, PIXMAN_OP_OVER, Shared().full, 0x8000, 0, 0, kSurfaceWidth, kSurfaceHeight,
            NoPreparation);
}

void PixmanBilinearScale(benchmark::State& state) {
  RunPixman(state, PIXMAN_OP_SRC, Shared().small, 0, 0, 0, kSurfaceWidth, kSurfaceHeight,
            [](pixman_image_t* src) {
              pixman_transform_t transform;
              pixman_transform_init_scale(&transform, pixman_double_to_fixed(200.0 / kSurfaceWidth),
                                          pixman_double_to_fixed(200.0 / kSurfaceHeight));
              pixman_image_set_transform(src, &transform);
              pixman_image_set_filter(src, PIXMAN_FILTER_BILINEAR, nullptr, 0);
            });
}

std::vector<uint8_t> Strip(int width, int height, bool alpha) {
  PngImage image;
  image.width = width;
  image.height = height;
  image.colourType = alpha ? 6 : 2;
  image.samples = [alpha](int x, int y) {
    std::vector<int> v = {(x * 3 + y) & 255, (y * 5) & 255, (x ^ y) & 255};
    if (alpha) v.push_back((x * y) & 255);
    return v;
  };
  return EncodePng(image);
}

void OursDecode(benchmark::State& state, int width, int height, bool alpha) {
  const std::vector<uint8_t> png = Strip(width, height, alpha);
  PXMemBitmap dest;
  for (auto _ : state) {
    benchmark::DoNotOptimize(PXLoadPNGFromMemory(png.data(), png.size(), &dest));
  }
}

void SpngDecode(benchmark::State& state, int width, int height, bool alpha) {
  const std::vector<uint8_t> png = Strip(width, height, alpha);
  std::vector<uint8_t> out(static_cast<size_t>(width) * height * 4);
  for (auto _ : state) {
    spng_ctx* ctx = spng_ctx_new(0);
    spng_set_png_buffer(ctx, png.data(), png.size());
    spng_decode_image(ctx, out.data(), out.size(), SPNG_FMT_RGBA8, 0);
    spng_ctx_free(ctx);
    benchmark::DoNotOptimize(out.data());
  }
}

}  // namespace

BENCHMARK(OursSourceAlphaBlit40);
BENCHMARK(PixmanOver40);
BENCHMARK(OursSourceAlphaDisc40);
BENCHMARK(PixmanOverDisc40);
BENCHMARK(OursOpaqueCopy40);
BENCHMARK(PixmanSrcCopy40);
BENCHMARK(OursOpaqueCopy);
BENCHMARK(PixmanSrcCopy);
BENCHMARK(OursHalfBlend);
BENCHMARK(PixmanHalfBlend);
BENCHMARK(OursBilinearScale);
BENCHMARK(PixmanBilinearScale);
BENCHMARK_CAPTURE(OursDecode, rgb200x2648, 200, 2648, false);
BENCHMARK_CAPTURE(SpngDecode, rgb200x2648, 200, 2648, false);
BENCHMARK_CAPTURE(OursDecode, rgba40x2600, 40, 2600, true);
BENCHMARK_CAPTURE(SpngDecode, rgba40x2600, 40, 2600, true);
BENCHMARK_MAIN();
