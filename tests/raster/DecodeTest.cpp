#include <gtest/gtest.h>

#include <png.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "raster/PXImageHandlers.h"
#include "raster/PXLoadJPEG.h"
#include "raster/PXLoadPNG.h"
#include "raster/PXMemBitmap.h"
#include "tests/raster/FixtureImages.h"
#include "tests/raster/RasterReference.h"

namespace {

std::unique_ptr<PXBitmap> DecodePng(const std::vector<uint8_t>& bytes) {
  return std::unique_ptr<PXBitmap>(PXLoadPNGFromMemory(bytes.data(), bytes.size()));
}

uint32_t Word(int a, int r, int g, int b) {
  return static_cast<uint32_t>(a) << 24 | static_cast<uint32_t>(r) << 16 |
         static_cast<uint32_t>(g) << 8 | static_cast<uint32_t>(b);
}

struct PngKind {
  const char* name;
  PngImage image;
  // The expected pixel word of (x, y).
  uint32_t (*expected)(int x, int y);
};

const PngKind kKinds[] = {
    {"rgb",
     {13,
      9,
      PNG_COLOR_TYPE_RGB,
      8,
      false,
      [](int x, int y) {
        return std::vector<int>{x * 7, y * 5, x + y};
      },
      {},
      {}},
     [](int x, int y) { return Word(255, x * 7, y * 5, x + y); }},
    {"rgba",
     {40, 80, PNG_COLOR_TYPE_RGB_ALPHA, 8, false, ResourceImageSamples, {}, {}},
     [](int x, int y) {
       const auto s = ResourceImageSamples(x, y);
       return Word(s[3], s[0], s[1], s[2]);
     }},
    {"rgb 16-bit keeps high bytes",
     {5,
      4,
      PNG_COLOR_TYPE_RGB,
      16,
      false,
      [](int x, int y) {
        return std::vector<int>{x * 4000 + 0xFF, y * 9000 + 0x80, 0x1234};
      },
      {},
      {}},
     [](int x, int y) { return Word(255, (x * 4000 + 0xFF) >> 8, (y * 9000 + 0x80) >> 8, 0x12); }},
    {"palette 4-bit with alphas",
     {7,
      3,
      PNG_COLOR_TYPE_PALETTE,
      4,
      false,
      [](int x, int y) { return std::vector<int>{(x + y) % 5}; },
      {0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0},
      {0, 60, 120}},
     [](int x, int y) {
       const int i = (x + y) % 5;
       const uint32_t colours[] = {0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0};
       const int alphas[] = {0, 60, 120, 255, 255};
       return static_cast<uint32_t>(alphas[i]) << 24 | colours[i];
     }},
    {"palette 8-bit opaque",
     {3,
      2,
      PNG_COLOR_TYPE_PALETTE,
      8,
      false,
      [](int x, int) { return std::vector<int>{x}; },
      {0x010203, 0x040506, 0x070809},
      {}},
     [](int x, int) {
       return 0xFF000000u | static_cast<uint32_t>(x * 3 + 1) << 16 |
              static_cast<uint32_t>(x * 3 + 2) << 8 | static_cast<uint32_t>(x * 3 + 3);
     }},
    {"grey 8",
     {6,
      2,
      PNG_COLOR_TYPE_GRAY,
      8,
      false,
      [](int x, int y) { return std::vector<int>{x * 40 + y}; },
      {},
      {}},
     [](int x, int y) { return 0xFF000000u | static_cast<uint32_t>(x * 40 + y) * 0x010101u; }},
    {"grey 1-bit",
     {9,
      2,
      PNG_COLOR_TYPE_GRAY,
      1,
      false,
      [](int x, int y) { return std::vector<int>{(x + y) & 1}; },
      {},
      {}},
     [](int x, int y) { return (x + y) & 1 ? 0xFFFFFFFFu : 0xFF000000u; }},
    {"grey 16",
     {3,
      3,
      PNG_COLOR_TYPE_GRAY,
      16,
      false,
      [](int x, int y) { return std::vector<int>{x * 20000 + y}; },
      {},
      {}},
     [](int x, int) { return 0xFF000000u | static_cast<uint32_t>((x * 20000) >> 8) * 0x010101u; }},
    {"grey with alpha",
     {4,
      4,
      PNG_COLOR_TYPE_GRAY_ALPHA,
      8,
      false,
      [](int x, int y) {
        return std::vector<int>{x * 50, y * 60};
      },
      {},
      {}},
     [](int x, int y) {
       return static_cast<uint32_t>(y * 60) << 24 | static_cast<uint32_t>(x * 50) * 0x010101u;
     }},
    {"grey with colour key",
     {4,
      1,
      PNG_COLOR_TYPE_GRAY,
      8,
      false,
      [](int x, int) { return std::vector<int>{x * 10}; },
      {},
      {10}},
     [](int x, int) {
       return (x == 1 ? 0u : 0xFF000000u) | static_cast<uint32_t>(x * 10) * 0x010101u;
     }},
    {"rgb with colour key",
     {3,
      2,
      PNG_COLOR_TYPE_RGB,
      8,
      false,
      [](int x, int y) {
        return std::vector<int>{x, y, 7};
      },
      {},
      {1, 1, 7}},
     [](int x, int y) { return Word(x == 1 && y == 1 ? 0 : 255, x, y, 7); }},
    {"interlaced rgba",
     {17,
      11,
      PNG_COLOR_TYPE_RGB_ALPHA,
      8,
      true,
      [](int x, int y) {
        return std::vector<int>{x * 9, y * 13, x ^ y, 255 - x};
      },
      {},
      {}},
     [](int x, int y) { return Word(255 - x, x * 9, y * 13, x ^ y); }},
};

std::string TempPath(const char* name) {
  return (std::filesystem::temp_directory_path() / (std::string("corvalent_raster_") + name))
      .string();
}

}  // namespace

TEST(PXLoadPNG, EveryKindDecodesToBlueGreenRedAlpha) {
  for (const PngKind& kind : kKinds) {
    const std::unique_ptr<PXBitmap> b = DecodePng(EncodePng(kind.image));
    ASSERT_NE(b, nullptr) << kind.name;
    ASSERT_EQ(b->GetWidth(), kind.image.width) << kind.name;
    ASSERT_EQ(b->GetHeight(), kind.image.height) << kind.name;
    for (int y = 0; y < kind.image.height; ++y)
      for (int x = 0; x < kind.image.width; ++x)
        ASSERT_EQ(b->GetPixels()[y * b->GetRowSpan() + x], kind.expected(x, y))
            << kind.name << " at " << x << "," << y;
  }
}

TEST(PXLoadPNG, BadInputGivesNull) {
  const std::vector<uint8_t> good = EncodePng(kKinds[1].image);
  EXPECT_EQ(PXLoadPNGFromMemory(good.data(), 7), nullptr);
  EXPECT_EQ(PXLoadPNGFromMemory(nullptr, 100), nullptr);
  EXPECT_EQ(PXLoadPNGFromMemory(good.data(), 33), nullptr);  // header only
  std::vector<uint8_t> notPng = good;
  notPng[1] = 'Q';
  EXPECT_EQ(PXLoadPNGFromMemory(notPng.data(), notPng.size()), nullptr);
  EXPECT_EQ(PXLoadPNG(TempPath("missing.png").c_str()), nullptr);
  EXPECT_EQ(PXLoadPNG(static_cast<const char*>(nullptr)), nullptr);

  // A bitmap that cannot take the size abandons the decode.
  TestBitmap fixed(3, 3);
  EXPECT_EQ(PXLoadPNGFromMemory(good.data(), good.size(), &fixed), nullptr);

  // Random damage past the signature: any answer but a crash, leak or overread.
  std::mt19937 rng(99);
  for (int round = 0; round < 300; ++round) {
    std::vector<uint8_t> damaged = good;
    for (int k = 0; k < 4; ++k)
      damaged[8 + rng() % (damaged.size() - 8)] ^= static_cast<uint8_t>(rng());
    damaged.resize(8 + rng() % (damaged.size() - 8));
    delete PXLoadPNGFromMemory(damaged.data(), damaged.size());
  }
}

TEST(PXLoadPNG, DecodesIntoASuppliedBitmapAndFromFiles) {
  const std::vector<uint8_t> bytes = EncodePng(kKinds[0].image);
  PXMemBitmap dest(2, 2);
  EXPECT_EQ(PXLoadPNGFromMemory(bytes.data(), bytes.size(), &dest), &dest);
  EXPECT_EQ(dest.GetWidth(), 13);
  EXPECT_EQ(dest.GetPixels()[13 + 2], kKinds[0].expected(2, 1));

  const std::string path = TempPath("rgb.png");
  ASSERT_TRUE(WriteFile(path.c_str(), bytes));
  std::unique_ptr<PXBitmap> fromFile(PXLoadPNG(path.c_str()));
  ASSERT_NE(fromFile, nullptr);
  EXPECT_EQ(fromFile->GetPixels()[13 + 2], kKinds[0].expected(2, 1));
  const std::string truncated = TempPath("truncated.png");
  ASSERT_TRUE(
      WriteFile(truncated.c_str(), std::vector<uint8_t>(bytes.begin(), bytes.begin() + 40)));
  EXPECT_EQ(PXLoadPNG(truncated.c_str()), nullptr);
  std::filesystem::remove(path);
  std::filesystem::remove(truncated);
}

TEST(PXLoadJPEG, GreyColourAndCmyk) {
  struct JpegCase {
    const char* name;
    int components;
    uint8_t sample;
    uint32_t expected;
  } cases[] = {
      {"grey", 1, 90, 0xFF5A5A5A},
      {"rgb", 3, 200, 0xFFC8C8C8},
      {"cmyk is transparent black", 4, 100, 0x00000000},
  };
  for (const JpegCase& c : cases) {
    const std::vector<uint8_t> bytes = EncodeJpeg(16, 8, c.components, c.sample);
    std::unique_ptr<PXBitmap> b(PXLoadJPEGFromMemory(bytes.data(), bytes.size()));
    ASSERT_NE(b, nullptr) << c.name;
    ASSERT_EQ(b->GetWidth(), 16);
    ASSERT_EQ(b->GetHeight(), 8);
    for (int i = 0; i < 16 * 8; ++i) {
      const uint32_t p = b->GetPixels()[i];
      EXPECT_EQ(p >> 24, c.expected >> 24) << c.name;
      for (int ch = 0; ch < 3; ++ch)
        EXPECT_NEAR(ref::Byte(p, ch), ref::Byte(c.expected, ch), 1) << c.name;
    }
  }
}

TEST(PXLoadJPEG, BadInputGivesNull) {
  const std::vector<uint8_t> good = EncodeJpeg(16, 16, 3, 50);
  EXPECT_EQ(PXLoadJPEGFromMemory(good.data(), 7), nullptr);
  const std::vector<uint8_t> garbage(64, 0x42);
  EXPECT_EQ(PXLoadJPEGFromMemory(garbage.data(), garbage.size()), nullptr);
  EXPECT_EQ(PXLoadJPEG(TempPath("missing.jpg").c_str()), nullptr);
  TestBitmap fixed(3, 3);
  EXPECT_EQ(PXLoadJPEGFromMemory(good.data(), good.size(), &fixed), nullptr);
  // Truncated data ends the image early (the source supplies the end marker).
  delete PXLoadJPEGFromMemory(good.data(), good.size() / 2);
  std::mt19937 rng(5);
  for (int round = 0; round < 300; ++round) {
    std::vector<uint8_t> damaged = good;
    for (int k = 0; k < 4; ++k) damaged[rng() % damaged.size()] ^= static_cast<uint8_t>(rng());
    damaged.resize(8 + rng() % (damaged.size() - 8));
    delete PXLoadJPEGFromMemory(damaged.data(), damaged.size());
  }
  const std::string path = TempPath("grey.jpg");
  ASSERT_TRUE(WriteFile(path.c_str(), EncodeJpeg(4, 4, 1, 30)));
  std::unique_ptr<PXBitmap> fromFile(PXLoadJPEG(path.c_str()));
  ASSERT_NE(fromFile, nullptr);
  EXPECT_NEAR(ref::Byte(fromFile->GetPixels()[5], 1), 30, 1);
  std::filesystem::remove(path);
}

TEST(PXImageHandlers, RegisteredOnceAndChosenByExtension) {
  PXRegisterDecoders();
  PXRegisterDecoders();
  const PXImageHandler* first = PXFirstImageHandler();
  ASSERT_NE(first, nullptr);
  ASSERT_NE(first->next, nullptr);
  EXPECT_EQ(first->next->next, nullptr);
  EXPECT_STREQ(first->filterText(), "JPEG files (*.JPG;*.JPEG;*.JFIF)");
  EXPECT_STREQ(first->next->filterText(), "PNG files (*.PNG)");

  EXPECT_TRUE(PXHasExtension("a/b.PNG", ".png"));
  EXPECT_TRUE(PXHasExtension("x.png.Jpeg", ".jpeg"));
  EXPECT_FALSE(PXHasExtension("dir.png/file", ".png"));
  EXPECT_FALSE(PXHasExtension("dir.png\\file", ".png"));
  EXPECT_FALSE(PXHasExtension("png", ".png"));

  const std::string path = TempPath("handler.png");
  ASSERT_TRUE(WriteFile(path.c_str(), EncodePng(kKinds[0].image)));
  EXPECT_EQ(first->load(path.c_str(), true, nullptr), nullptr);  // JPEG refuses .png
  std::unique_ptr<PXBitmap> b(first->next->load(path.c_str(), true, nullptr));
  EXPECT_NE(b, nullptr);
  std::filesystem::remove(path);
}
