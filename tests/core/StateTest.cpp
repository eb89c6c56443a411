#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "tests/core/TestProcessor.h"

namespace {

// Seven parameters of assorted ranges, like the effect's.
class StatePlug : public TestProcessor {
 public:
  StatePlug() {
    Parameter(0)->InitContinuous("Level", 0.5, 0.0, 1.0, 0.001, "");
    Parameter(1)->InitContinuous("Drive", 0.25, 0.0, 1.0, 0.001, "");
    Parameter(2)->InitContinuous("Tone", 0.75, 0.0, 1.0, 0.001, "");
    Parameter(3)->InitEnumerated("Mode", 4, 14);
    Parameter(4)->InitContinuous("Pitch", 0.1, 0.0, 1.0, 0.001, "");
    Parameter(5)->InitEnumerated("Distortion", 1, 2);
    Parameter(6)->InitEnumerated("Pitch on", 0, 2);
  }
  std::vector<double> Values() const {
    std::vector<double> values;
    for (int i = 0; i < NParams(); ++i) values.push_back(Parameter(i)->Value());
    return values;
  }
  void SetValues(const std::vector<double>& values) {
    for (int i = 0; i < NParams(); ++i) Parameter(i)->SetValue(values[static_cast<size_t>(i)]);
  }
};

std::vector<unsigned char> Block(bool header, const std::vector<double>& values) {
  std::vector<unsigned char> bytes;
  if (header) bytes = {'t', 'f', 'f', 'p', 0x00, 0x00, 0x01, 0x00};
  for (double v : values) {
    unsigned char raw[8];
    std::memcpy(raw, &v, 8);
    bytes.insert(bytes.end(), raw, raw + 8);
  }
  return bytes;
}

const std::vector<double> kOther = {0.9, 0.8, 0.1, 7.0, 0.6, 0.0, 1.0};

TEST(StateChunk, PutAndGetDouble) {
  IStateChunk chunk;
  chunk.PutDouble(1.5);
  chunk.PutDouble(-2.0);
  double v = 0.0;
  EXPECT_EQ(chunk.GetDouble(&v, 0), 8);
  EXPECT_EQ(v, 1.5);
  EXPECT_EQ(chunk.GetDouble(&v, 8), 16);
  EXPECT_EQ(v, -2.0);
  v = 42.0;
  EXPECT_EQ(chunk.GetDouble(&v, 9), -1);
  EXPECT_EQ(chunk.GetDouble(&v, 16), -1);
  EXPECT_EQ(chunk.GetDouble(&v, -1), -1);
  EXPECT_EQ(v, 42.0);
}

TEST(HostState, ChunkForHostHasHeaderAndValues) {
  StatePlug plug;
  void* data = nullptr;
  EXPECT_EQ(plug.GetStateForHost(true, nullptr), 0);
  ASSERT_EQ(plug.GetStateForHost(false, &data), 64);
  const auto expected = Block(true, plug.Values());
  EXPECT_EQ(std::memcmp(data, expected.data(), 64), 0);
  // A bank request also stores the current values into the current preset.
  ASSERT_EQ(plug.GetStateForHost(true, &data), 64);
  EXPECT_EQ(plug.Preset(0)->values.Size(), 56);
}

TEST(HostState, BlocksFromHost) {
  const struct {
    const char* name;
    bool bank;
    std::vector<unsigned char> block;
    int result;
    bool presetTakesValues;
    int valuesLoaded;  // leading values taken from kOther; the next is clamped zero (-1: none)
  } cases[] = {
      {"bank with header", true, Block(true, kOther), 1, false, 7},
      {"program with header", false, Block(true, kOther), 1, true, 7},
      {"bare values as bank", true, Block(false, kOther), 1, true, 7},
      {"magic only reads nothing", true, {'t', 'f', 'f', 'p', 0, 0}, 0, true, -1},
      {"short block", true, Block(true, {0.9, 0.8, 0.1, 7.0}), 0, false, 4},
      {"one byte", false, {1}, 0, true, 0},
  };
  for (const auto& c : cases) {
    StatePlug plug;
    const std::vector<double> before = plug.Values();
    plug.changed.clear();
    IStateChunk presetBefore;
    EXPECT_EQ(plug.SetStateFromHost(c.bank, c.block.data(), static_cast<int>(c.block.size())),
              c.result)
        << c.name;
    EXPECT_EQ(plug.changed.size(), 7u) << c.name;
    const std::vector<double> after = plug.Values();
    for (int i = 0; i < 7; ++i) {
      const size_t k = static_cast<size_t>(i);
      const double expected = i < c.valuesLoaded    ? kOther[k]
                              : i == c.valuesLoaded ? 0.0
                                                    : before[k];
      EXPECT_EQ(after[k], expected) << c.name << " parameter " << i;
    }
    EXPECT_EQ(plug.Preset(0)->values.Size(), c.presetTakesValues ? 56 : 0) << c.name;
  }
}

TEST(HostState, ValuesAreClampedAndNotANumberGoesToMinimum) {
  StatePlug plug;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const auto block = Block(true, {7.5, -3.0, nan, 99.0, -inf, inf, 0.4});
  EXPECT_EQ(plug.SetStateFromHost(true, block.data(), static_cast<int>(block.size())), 1);
  EXPECT_EQ(plug.Values(), (std::vector<double>{1.0, 0.0, 0.0, 13.0, 0.0, 1.0, 0.4}));
}

TEST(HostState, RefusesMissingOrNegativeData) {
  StatePlug plug;
  const auto block = Block(true, kOther);
  EXPECT_EQ(plug.SetStateFromHost(true, nullptr, 64), 0);
  EXPECT_EQ(plug.SetStateFromHost(true, block.data(), -1), 0);
  EXPECT_TRUE(plug.changed.empty());
}

TEST(HostState, RoundTripRestoresValuesAndPushesEditor) {
  StatePlug plug;
  auto* editor = new FakeEditor;
  plug.AttachEditor(editor);
  void* data = nullptr;
  const int size = plug.GetStateForHost(true, &data);
  const std::vector<unsigned char> saved(static_cast<unsigned char*>(data),
                                         static_cast<unsigned char*>(data) + size);
  const std::vector<double> original = plug.Values();
  plug.SetValues(kOther);
  editor->pushes.clear();
  EXPECT_EQ(plug.SetStateFromHost(true, saved.data(), size), 1);
  EXPECT_EQ(plug.Values(), original);
  EXPECT_EQ(editor->pushes.size(), 7u);
}

TEST(Presets, DefineSelectAndStore) {
  StatePlug plug;
  plug.DefinePreset("Factory", 0.1, 0.2, 0.3, 5, 0.4, 0, 1);
  plug.DefinePresetValues("Values", kOther.data(), 7);
  plug.DefineDefaultPresets("Init", 20);
  EXPECT_STREQ(plug.PresetName(0), "Factory");
  EXPECT_STREQ(plug.PresetName(1), "Values");
  EXPECT_STREQ(plug.PresetName(15), "Init");
  EXPECT_STREQ(plug.PresetName(-1), "");
  EXPECT_STREQ(plug.PresetName(16), "");
  plug.DefinePreset("Nowhere", 0.0, 0.0, 0.0, 0, 0.0, 0, 0);  // every slot is taken

  EXPECT_TRUE(plug.SelectPreset(0));
  EXPECT_EQ(plug.Values(), (std::vector<double>{0.1, 0.2, 0.3, 5.0, 0.4, 0.0, 1.0}));
  EXPECT_TRUE(plug.SelectPreset(1));
  EXPECT_EQ(plug.Values(), kOther);
  EXPECT_EQ(plug.CurrentPreset(), 1);
  EXPECT_FALSE(plug.SelectPreset(16));
  EXPECT_FALSE(plug.SelectPreset(-1));

  plug.Parameter(0)->SetValue(0.33);
  plug.StoreCurrentPreset("Renamed");
  plug.StoreCurrentPreset("");
  EXPECT_STREQ(plug.PresetName(1), "Renamed");
  plug.SelectPreset(0);
  plug.SelectPreset(1);
  EXPECT_EQ(plug.Parameter(0)->Value(), 0.33);
}

TEST(Presets, SelectingAFreeSlotMakesAUserPreset) {
  StatePlug plug;
  plug.Preset(2)->SetName("my user preset");
  plug.Preset(3)->SetName("user preset 1");
  char name[IPreset::kNameSize];
  plug.NextUserPresetName(name, sizeof name);
  EXPECT_STREQ(name, "user preset 3");

  EXPECT_TRUE(plug.SelectPreset(5));
  EXPECT_STREQ(plug.PresetName(5), "user preset 3");
  EXPECT_TRUE(plug.Preset(5)->initialised);
  EXPECT_EQ(plug.CurrentPreset(), 5);
  plug.NextUserPresetName(name, 4);
  EXPECT_STREQ(name, "use");
}

TEST(Presets, BrokenPresetFailsAndKeepsCurrentIndex) {
  StatePlug plug;
  plug.Preset(4)->initialised = true;  // values chunk empty
  EXPECT_FALSE(plug.SelectPreset(4));
  EXPECT_EQ(plug.CurrentPreset(), 0);
  EXPECT_EQ(plug.Parameter(0)->Value(), 0.0);
  EXPECT_EQ(plug.Parameter(1)->Value(), 0.25);
}

TEST(Presets, EnsureDefaultPreset) {
  TestProcessor none(2, "1-1", 0);
  none.EnsureDefaultPreset();
  ASSERT_EQ(none.NPresets(), 1);
  EXPECT_STREQ(none.PresetName(0), "Default");
  EXPECT_EQ(none.Preset(0)->values.Size(), 16);

  StatePlug some;
  some.EnsureDefaultPreset();
  EXPECT_EQ(some.NPresets(), 16);
  EXPECT_FALSE(some.Preset(0)->initialised);
}

TEST(State, UnserializeFromNegativeStartStillReportsChanges) {
  StatePlug plug;
  IStateChunk chunk;
  EXPECT_EQ(plug.UnserializeParams(&chunk, -1), -1);
  EXPECT_EQ(plug.UnserializeParams(nullptr, 0), -1);
  EXPECT_EQ(plug.changed.size(), 14u);
  EXPECT_FALSE(plug.SerializeParams(nullptr));
}

}  // namespace
