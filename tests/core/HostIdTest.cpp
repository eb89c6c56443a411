#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>

#include "framework/core/HostId.h"
#include "framework/core/Trace.h"

namespace {

TEST(HostId, Keywords) {
  const struct {
    const char* product;
    int id;
  } cases[] = {
      {"Cubase 7", kHostCubase},
      {"CUBASE", kHostCubase},
      {"My Reaper Build", kHostReaper},
      {"Studio Live", kHostLive},
      {"Logic X", kHostLogic},
      {"Nuendo Live", kHostNuendo},
      {"Deliverance Studio", kHostLive},
      {"Adobe Audition", kHostAudition},
      {"SAWStudio", kHostSawStudio},
      {"Digital Performer", kHostDigital},
      {"", kHostUnknown},
      {"Unheard Of", kHostUnknown},
      {nullptr, kHostUnknown},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IdentifyHost(c.product), c.id) << (c.product ? c.product : "(null)");
  }
}

TEST(HostId, LongProductTextIsCutNotOverrun) {
  std::string text(1000, 'x');
  EXPECT_EQ(IdentifyHost(text.c_str()), kHostUnknown);
  text.replace(200, 6, "reaper");
  EXPECT_EQ(IdentifyHost(text.c_str()), kHostReaper);
  text = std::string(1000, 'x');
  text.replace(900, 6, "reaper");
  EXPECT_EQ(IdentifyHost(text.c_str()), kHostUnknown);
}

TEST(Trace, TimestampShape) {
  const std::string stamp = TraceTimestamp();
  ASSERT_GE(stamp.size(), 15u) << stamp;
  for (size_t i : {0u, 1u, 2u, 3u, 4u, 5u, 6u, 7u, 9u, 10u, 12u, 13u}) {
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(stamp[i]))) << stamp;
  }
  EXPECT_EQ(stamp[8], ' ');
  EXPECT_EQ(stamp[11], ':');
  EXPECT_EQ(stamp[14], ' ');
  for (size_t i = 15; i < stamp.size(); ++i) {
    EXPECT_TRUE(std::isupper(static_cast<unsigned char>(stamp[i]))) << stamp;
  }
  EXPECT_STREQ(OpcodeName(0), "");
  TracePoint("Test", __LINE__, "%d:%s:%f", 1, "x", 0.5);
}

}  // namespace
