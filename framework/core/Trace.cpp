#include "framework/core/Trace.h"

#include <cctype>
#include <cstdio>
#include <ctime>

namespace {

constexpr int kPartSize = 64;
char gTimestamp[2 * kPartSize];

}  // namespace

const char* TraceTimestamp() {
  char clock[kPartSize] = {};
  char zone[kPartSize] = {};
  const std::time_t now = std::time(nullptr);
  if (const std::tm* local = std::localtime(&now)) {
    std::strftime(clock, sizeof clock, "%Y%m%d %H:%M ", local);
    std::strftime(zone, sizeof zone, "%Z", local);
  }
  char* out = gTimestamp + std::snprintf(gTimestamp, sizeof gTimestamp, "%s", clock);
  for (const char* c = zone; *c != '\0'; ++c) {
    if (std::isupper(static_cast<unsigned char>(*c))) *out++ = *c;
  }
  *out = '\0';
  return gTimestamp;
}

const char* OpcodeName(int /*opcode*/) {
  return "";
}
