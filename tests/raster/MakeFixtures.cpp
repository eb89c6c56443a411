// Writes the images the raster tests embed as module resources, at build time:
// MakeFixtures <output directory>.
#include <string>

#include "tests/raster/FixtureImages.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string dir = argv[1];
  PngImage rgba;
  rgba.width = 40;
  rgba.height = 80;
  rgba.colourType = 6;  // RGB with alpha
  rgba.samples = ResourceImageSamples;
  const std::vector<uint8_t> png = EncodePng(rgba);
  // Signature and header chunk only: 8 + 25 bytes.
  const std::vector<uint8_t> truncated(png.begin(), png.begin() + 33);
  const std::vector<uint8_t> seven(png.begin(), png.begin() + 7);
  const bool ok = WriteFile((dir + "/rgba40x80.png").c_str(), png) &&
                  WriteFile((dir + "/truncated.png").c_str(), truncated) &&
                  WriteFile((dir + "/seven.bin").c_str(), seven) &&
                  WriteFile((dir + "/grey.jpg").c_str(), EncodeJpeg(8, 4, 1, 90));
  return ok ? 0 : 1;
}
