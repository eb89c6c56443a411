#include "framework/core/HostId.h"

#include <cctype>
#include <cstring>

namespace {

struct HostKeyword {
  const char* keyword;
  HostId id;
};

// Searched in this order; the first keyword found wins.
constexpr HostKeyword kHostKeywords[] = {
    {"cubase", kHostCubase},     {"reaper", kHostReaper},         {"nuendo", kHostNuendo},
    {"cakewalk", kHostCakewalk}, {"samplitude", kHostSamplitude}, {"fruity", kHostFruity},
    {"live", kHostLive},         {"melodyne", kHostMelodyne},     {"vstmanlib", kHostVstManLib},
    {"aulab", kHostAuLab},       {"forte", kHostForte},           {"chainer", kHostChainer},
    {"audition", kHostAudition}, {"orion", kHostOrion},           {"sawstudio", kHostSawStudio},
    {"logic", kHostLogic},       {"digital", kHostDigital},
};

constexpr int kProductBufferSize = 264;

}  // namespace

int IdentifyHost(const char* productText) {
  if (!productText) return kHostUnknown;
  char lower[kProductBufferSize];
  int n = 0;
  for (; n < kProductBufferSize - 1 && productText[n] != '\0'; ++n) {
    lower[n] = static_cast<char>(std::tolower(static_cast<unsigned char>(productText[n])));
  }
  lower[n] = '\0';
  for (const HostKeyword& entry : kHostKeywords) {
    if (std::strstr(lower, entry.keyword)) return entry.id;
  }
  return kHostUnknown;
}
