#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "framework/vst/IProcessorVST.h"
#include "framework/vst/VSTPluginMain.h"
#include "tests/vst/FakeHost.h"
#include "tests/vst/PlugInspection.h"

namespace {

class Dispatcher : public ::testing::Test {
 protected:
  void SetUp() override { host.Start(); }
  IProcessorVST* Plug() { return IProcessorVST::FromEffect(host.effect); }
  FakeHost host{&VSTPluginMain};
};

struct PlainAnswer {
  const char* name;
  vst::VstInt32 opcode;
  vst::VstInt32 index;
  vst::VstIntPtr expected;
};

TEST_F(Dispatcher, AnswersFixedQuestions) {
  const PlainAnswer cases[] = {
      {"identify", vst::effIdentify, 0, 0x4E764566},
      {"vst version", vst::effGetVstVersion, 0, 2400},
      {"vendor version is not answered", vst::effGetVendorVersion, 0, 0},
      {"category effect", vst::effGetPlugCategory, 0, 1},
      {"automatable", vst::effCanBeAutomated, 0, 1},
      {"no variable io", vst::effProcessVarIo, 0, 0},
      {"first program", vst::effGetProgram, 0, 0},
      {"no rect without editor", vst::effEditGetRect, 0, 0},
      {"no editor to open", vst::effEditOpen, 0, 0},
      {"no editor to close", vst::effEditClose, 0, 0},
      {"edit idle", vst::effEditIdle, 0, 0},
      {"idle", vst::effIdle, 0, 0},
      {"tail size unanswered", vst::effGetTailSize, 0, 0},
      {"parameter properties unanswered", vst::effGetParameterProperties, 0, 0},
      {"opcode above the table", 77, 0, 0},
      {"negative opcode", -3, 0, 0},
  };
  for (const PlainAnswer& c : cases) {
    EXPECT_EQ(host.Dispatch(c.opcode, c.index), c.expected) << c.name;
  }
}

TEST_F(Dispatcher, ReportsNamesAndRefusesMissingBuffers) {
  EXPECT_EQ(host.Text(vst::effGetEffectName), "Corvalent");
  EXPECT_EQ(host.Text(vst::effGetVendorString), "Velorbit");
  EXPECT_EQ(host.Text(vst::effGetProductString), "");
  for (vst::VstInt32 opcode :
       {vst::effGetEffectName, vst::effGetVendorString, vst::effGetProductString}) {
    char text[64];
    EXPECT_EQ(host.Dispatch(opcode, 0, 0, text), 1);
    EXPECT_EQ(host.Dispatch(opcode, 0, 0, nullptr), 0);
  }
}

TEST_F(Dispatcher, DescribesEveryParameter) {
  const char* names[] = {"Level", "Drive", "Tone", "Mode", "Pitch", "Distortion", "Pitch"};
  const char* displays[] = {"0.500", "0.500", "0.500", "0", "0", "On", "On"};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(host.Text(vst::effGetParamName, i), names[i]) << i;
    EXPECT_EQ(host.Text(vst::effGetParamDisplay, i), displays[i]) << i;
    EXPECT_EQ(host.Text(vst::effGetParamLabel, i), "") << i;
  }
}

TEST_F(Dispatcher, InvalidParameterIndexWritesNothing) {
  for (vst::VstInt32 opcode :
       {vst::effGetParamName, vst::effGetParamDisplay, vst::effGetParamLabel}) {
    for (vst::VstInt32 index : {-1, 7, std::numeric_limits<vst::VstInt32>::min()}) {
      char text[16] = "untouched";
      EXPECT_EQ(host.Dispatch(opcode, index, 0, text), 0);
      EXPECT_STREQ(text, "untouched") << opcode << " " << index;
    }
    // A valid index with no buffer is refused, not written through null.
    EXPECT_EQ(host.Dispatch(opcode, 0, 0, nullptr), 0);
  }
}

TEST_F(Dispatcher, AnswersCapabilitiesExactly) {
  const std::pair<const char*, vst::VstIntPtr> cases[] = {
      {"receiveVstTimeInfo", 1},
      {"sendVstEvents", 1},
      {"sendVstMidiEvent", 1},
      {"receiveVstEvents", 1},
      {"receiveVstMidiEvent", 1},
      {"ReceiveVstMidiEvent", 0},
      {"bypass", 0},
      {"", 0},
      {"receiveVstTimeInfo ", 0},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(host.Dispatch(vst::effCanDo, 0, 0, const_cast<char*>(text)), expected) << text;
  }
  EXPECT_EQ(host.Dispatch(vst::effCanDo, 0, 0, nullptr), 0);
}

TEST_F(Dispatcher, DescribesPins) {
  struct Pin {
    vst::VstInt32 opcode;
    vst::VstInt32 index;
    vst::VstIntPtr result;
    vst::VstInt32 flags;
    const char* label;
  };
  const Pin cases[] = {
      {vst::effGetInputProperties, 0, 1, 3, "Input 1"},
      {vst::effGetInputProperties, 1, 1, 1, "Input 2"},
      {vst::effGetInputProperties, 2, 0, -7, "host's"},
      {vst::effGetInputProperties, -1, 0, -7, "host's"},
      {vst::effGetOutputProperties, 0, 1, 3, "Output 1"},
      {vst::effGetOutputProperties, 1, 1, 1, "Output 2"},
      {vst::effGetOutputProperties, 2, 0, -7, "host's"},
  };
  for (const Pin& c : cases) {
    vst::VstPinProperties pin{};
    std::strcpy(pin.label, "host's");
    pin.flags = -7;
    pin.arrangementType = 42;
    EXPECT_EQ(host.Dispatch(c.opcode, c.index, 0, &pin), c.result) << c.label;
    EXPECT_EQ(pin.flags, c.flags) << c.label;
    EXPECT_STREQ(pin.label, c.label);
    EXPECT_EQ(pin.arrangementType, 42) << "left as the host gave it";
  }
  EXPECT_EQ(host.Dispatch(vst::effGetInputProperties, 0, 0, nullptr), 0);
}

TEST_F(Dispatcher, VendorSpecificFormatsADisplayForAnyNormalisedValue) {
  char text[32] = "untouched";
  EXPECT_EQ(host.Dispatch(vst::effVendorSpecific, 7, 0, text, 0.25f), 0xBEEF);
  EXPECT_STREQ(text, "0.250");
  std::strcpy(text, "untouched");
  EXPECT_EQ(host.Dispatch(vst::effVendorSpecific, 7, 99, text, 0.5f), 0xBEEF);
  EXPECT_STREQ(text, "untouched");
  EXPECT_EQ(host.Dispatch(vst::effVendorSpecific, 7, 5, text, 0.0f), 0xBEEF);
  EXPECT_STREQ(text, "Off");
  EXPECT_EQ(host.Dispatch(vst::effVendorSpecific, 8, 0, text, 0.5f), 0);
  EXPECT_EQ(host.Dispatch(vst::effVendorSpecific, 7, 0, nullptr, 0.5f), 0);
}

TEST_F(Dispatcher, ProgramsSwitchKeepAndRename) {
  EXPECT_EQ(host.Text(vst::effGetProgramNameIndexed, 0), "Init");
  EXPECT_EQ(host.Dispatch(vst::effGetProgramNameIndexed, 15, 0, nullptr), 0);
  char name[64] = "untouched";
  EXPECT_EQ(host.Dispatch(vst::effGetProgramNameIndexed, 20, 0, name), 0);
  EXPECT_EQ(host.Dispatch(vst::effGetProgramNameIndexed, 15, 0, name), 1);

  vst::AEffect* e = host.effect;
  e->setParameter(e, 0, 0.9f);
  host.Dispatch(vst::effSetProgram, 0, 3);
  EXPECT_EQ(host.Dispatch(vst::effGetProgram), 3);
  EXPECT_EQ(e->getParameter(e, 0), 0.5f) << "program 3 holds the defaults";
  host.Dispatch(vst::effSetProgram, 0, 0);
  EXPECT_FLOAT_EQ(e->getParameter(e, 0), 0.9f) << "the change was kept in program 0";

  for (vst::VstIntPtr bad : {vst::VstIntPtr{-1}, vst::VstIntPtr{16}, vst::VstIntPtr{1} << 30}) {
    host.Dispatch(vst::effSetProgram, 0, bad);
    EXPECT_EQ(host.Dispatch(vst::effGetProgram), 0);
  }

  host.Dispatch(vst::effSetProgramName, 0, 0, const_cast<char*>("Warm lead"));
  EXPECT_EQ(host.Text(vst::effGetProgramName), "Warm lead");
  EXPECT_EQ(host.Text(vst::effGetProgramNameIndexed, 0), "Warm lead");
  host.Dispatch(vst::effSetProgramName, 0, 0, nullptr);
  host.Dispatch(vst::effGetProgramName, 0, 0, nullptr);
  EXPECT_EQ(host.Text(vst::effGetProgramName), "Warm lead");
}

TEST_F(Dispatcher, SpeakerArrangementsConnectTheFirstChannels) {
  vst::VstSpeakerArrangement* in = nullptr;
  vst::VstSpeakerArrangement* out = nullptr;
  EXPECT_EQ(
      host.Dispatch(vst::effGetSpeakerArrangement, 0, reinterpret_cast<vst::VstIntPtr>(&in), &out),
      1);
  ASSERT_NE(in, nullptr);
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(in->numChannels, 2);
  EXPECT_EQ(out->numChannels, 2);
  EXPECT_EQ(host.Dispatch(vst::effGetSpeakerArrangement, 0, 0, nullptr), 1);

  struct Case {
    int channels;
    bool first;
    bool second;
  };
  // Counts beyond what the plug-in has are taken as the nearest possible one.
  const Case cases[] = {
      {1, true, false}, {2, true, true}, {0, false, false}, {-5, false, false}, {99, true, true}};
  for (const Case& c : cases) {
    vst::VstSpeakerArrangement request{};
    request.numChannels = c.channels;
    EXPECT_EQ(host.Dispatch(vst::effSetSpeakerArrangement, 0,
                            reinterpret_cast<vst::VstIntPtr>(&request), &request),
              1);
    EXPECT_EQ(InputConnected(Plug(), 0), c.first) << c.channels;
    EXPECT_EQ(InputConnected(Plug(), 1), c.second) << c.channels;
    EXPECT_EQ(OutputConnected(Plug(), 0), c.first) << c.channels;
    EXPECT_EQ(OutputConnected(Plug(), 1), c.second) << c.channels;
  }
  EXPECT_EQ(host.Dispatch(vst::effSetSpeakerArrangement, 0, 0, nullptr), 1);
}

TEST_F(Dispatcher, MidiKeyNamesAreNotOffered) {
  vst::MidiKeyName key{};
  key.thisKeyNumber = 60;
  std::strcpy(key.keyName, "stale");
  EXPECT_EQ(host.Dispatch(vst::effGetMidiKeyName, 0, 0, &key), 0);
  EXPECT_STREQ(key.keyName, "");
  EXPECT_EQ(host.Dispatch(vst::effGetMidiKeyName, 0, 0, nullptr), 0);
}

// A bank or program chunk as the effect hands it out: header, seven doubles.
std::vector<char> Block(bool header, const std::vector<double>& values) {
  std::vector<char> bytes;
  if (header) {
    const char head[8] = {'t', 'f', 'f', 'p', 0, 0, 1, 0};
    bytes.assign(head, head + 8);
  }
  for (double v : values) {
    const char* p = reinterpret_cast<const char*>(&v);
    bytes.insert(bytes.end(), p, p + sizeof(double));
  }
  return bytes;
}

TEST_F(Dispatcher, ChunkHoldsHeaderAndSevenValues) {
  host.effect->setParameter(host.effect, 1, 0.75f);
  for (vst::VstInt32 index : {0, 1}) {
    void* data = nullptr;
    ASSERT_EQ(host.Dispatch(vst::effGetChunk, index, 0, &data), 64) << index;
    const std::vector<char> expected = Block(true, {0.5, 0.75, 0.5, 0.0, 0.0, 1.0, 1.0});
    EXPECT_EQ(std::memcmp(data, expected.data(), 64), 0) << index;
  }
  EXPECT_EQ(host.Dispatch(vst::effGetChunk, 0, 0, nullptr), 0);
}

TEST_F(Dispatcher, SetChunkLoadsWhatIsReadableAndClamps) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    const char* name;
    std::vector<char> bytes;
    vst::VstInt32 index;
    vst::VstIntPtr result;
    std::vector<float> values;  // normalised, as the host reads them back
  };
  const std::vector<float> defaults = {0.5f, 0.5f, 0.5f, 0.0f, 0.0f, 1.0f, 1.0f};
  const Case cases[] = {
      {"bank with header",
       Block(true, {0.1, 0.2, 0.3, 0.4, 0.5, 0, 1}),
       0,
       1,
       {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.0f, 1.0f}},
      {"bare 56 bytes",
       Block(false, {0.2, 0.2, 0.2, 0.2, 0.2, 1, 0}),
       0,
       1,
       {0.2f, 0.2f, 0.2f, 0.2f, 0.2f, 1.0f, 0.0f}},
      {"6 bytes with magic", {'t', 'f', 'f', 'p', 0, 0}, 1, 0, defaults},
      {"40 bytes: four values",
       Block(true, {0.9, 0.9, 0.9, 0.9}),
       1,
       0,
       {0.9f, 0.9f, 0.9f, 0.9f, 0.0f, 1.0f, 1.0f}},
      {"out of range",
       Block(true, {7.5, -3, 1e300, -1e300, 2, 5, -5}),
       1,
       1,
       {1.0f, 0.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.0f}},
      {"not a number",
       Block(true, {nan, nan, 0.25, nan, nan, nan, nan}),
       1,
       1,
       {0.0f, 0.0f, 0.25f, 0.0f, 0.0f, 0.0f, 0.0f}},
  };
  for (const Case& c : cases) {
    FakeHost fresh(&VSTPluginMain);
    fresh.Start();
    std::vector<char> bytes = c.bytes;
    EXPECT_EQ(fresh.Dispatch(vst::effSetChunk, c.index, static_cast<vst::VstIntPtr>(bytes.size()),
                             bytes.data()),
              c.result)
        << c.name;
    for (int i = 0; i < 7; ++i) {
      EXPECT_FLOAT_EQ(fresh.effect->getParameter(fresh.effect, i), c.values[static_cast<size_t>(i)])
          << c.name << " parameter " << i;
    }
  }
}

TEST_F(Dispatcher, SetChunkRefusesMissingOrEmptyData) {
  host.effect->setParameter(host.effect, 0, 0.8f);
  std::vector<char> bytes = Block(true, {0.1, 0.1, 0.1, 0.1, 0.1, 0, 0});
  EXPECT_EQ(host.Dispatch(vst::effSetChunk, 0, 64, nullptr), 0);
  EXPECT_EQ(host.Dispatch(vst::effSetChunk, 0, 0, bytes.data()), 0);
  EXPECT_EQ(host.Dispatch(vst::effSetChunk, 0, -64, bytes.data()), 0);
  EXPECT_FLOAT_EQ(host.effect->getParameter(host.effect, 0), 0.8f);
}

TEST_F(Dispatcher, BankChunkRoundTripLeavesTheProgramAlone) {
  host.effect->setParameter(host.effect, 2, 0.3f);
  void* data = nullptr;
  const vst::VstIntPtr size = host.Dispatch(vst::effGetChunk, 0, 0, &data);
  ASSERT_EQ(size, 64);
  std::vector<char> saved(static_cast<char*>(data), static_cast<char*>(data) + size);

  FakeHost other(&VSTPluginMain);
  other.Start();
  EXPECT_EQ(other.Dispatch(vst::effSetChunk, 0, size, saved.data()), 1);
  EXPECT_FLOAT_EQ(other.effect->getParameter(other.effect, 2), 0.3f);
  // A header-bearing bank block does not overwrite the current program.
  other.Dispatch(vst::effSetProgram, 0, 1);
  other.Dispatch(vst::effSetProgram, 0, 0);
  EXPECT_FLOAT_EQ(other.effect->getParameter(other.effect, 2), 0.3f)
      << "the switch away stored the values into program 0 first";
}

vst::VstMidiEvent ControlChange(int channel, int controller, int value) {
  vst::VstMidiEvent event{};
  event.type = vst::kVstMidiType;
  event.byteSize = sizeof(event);
  event.midiData[0] = static_cast<char>(0xB0 | channel);
  event.midiData[1] = static_cast<char>(controller);
  event.midiData[2] = static_cast<char>(value);
  return event;
}

TEST_F(Dispatcher, MidiEventsReachTheEffectOthersGoBackToTheHost) {
  vst::VstMidiEvent level = ControlChange(3, 7, 127);
  vst::VstEvent sysex{};
  sysex.type = vst::kVstSysExType;
  sysex.byteSize = sizeof(sysex);
  sysex.deltaFrames = 17;
  struct {
    vst::VstInt32 numEvents;
    vst::VstIntPtr reserved;
    vst::VstEvent* events[3];
  } list{3, 0, {reinterpret_cast<vst::VstEvent*>(&level), nullptr, &sysex}};
  host.calls.clear();
  EXPECT_EQ(host.Dispatch(vst::effProcessEvents, 0, 0, &list), 1);

  ASSERT_EQ(host.Count(vst::audioMasterAutomate), 1);
  EXPECT_EQ(host.calls[0].index, 0);
  EXPECT_EQ(host.calls[0].opt, 1.0f);
  EXPECT_EQ(host.effect->getParameter(host.effect, 0), 0.5f) << "the parameter keeps its value";
  ASSERT_EQ(host.events.size(), 1u);
  EXPECT_EQ(host.events[0].type, vst::kVstSysExType);
  EXPECT_EQ(host.events[0].deltaFrames, 17);

  EXPECT_EQ(host.Dispatch(vst::effProcessEvents, 0, 0, nullptr), 0);
  list.numEvents = -4;
  EXPECT_EQ(host.Dispatch(vst::effProcessEvents, 0, 0, &list), 1);
}

TEST_F(Dispatcher, SendsMidiAsOneEventLists) {
  MidiMessage messages[2];
  messages[0] = {5, 0x90, 60, 100};
  messages[1] = {9, 0x80, 60, 0};
  EXPECT_TRUE(Plug()->SendMidiMessages(messages, 2));
  ASSERT_EQ(host.events.size(), 2u);
  const auto* note = reinterpret_cast<const vst::VstMidiEvent*>(&host.events[0]);
  EXPECT_EQ(note->type, vst::kVstMidiType);
  EXPECT_EQ(note->byteSize, 32);
  EXPECT_EQ(note->deltaFrames, 5);
  EXPECT_EQ(static_cast<unsigned char>(note->midiData[0]), 0x90);
  EXPECT_EQ(note->midiData[1], 60);
  EXPECT_EQ(note->midiData[2], 100);
  EXPECT_EQ(note->midiData[3], 0);
  host.acceptEvents = 0;
  EXPECT_FALSE(Plug()->SendMidiMessages(messages, 2));
  EXPECT_EQ(host.events.size(), 4u) << "every message is sent even after a refusal";
}

}  // namespace

namespace {

// A host may send any opcode with any numbers; without a buffer nothing may be
// written. Opcodes 42 and 69 take value as a pointer, so only 0 is sent there.
TEST(HostileHost, EveryOpcodeWithoutBuffersIsAnsweredSafely) {
  FakeHost host(&VSTPluginMain);
  host.Start(48000.0, 256);
  const vst::VstInt32 indices[] = {0,
                                   1,
                                   -1,
                                   7,
                                   16,
                                   std::numeric_limits<vst::VstInt32>::min(),
                                   std::numeric_limits<vst::VstInt32>::max()};
  const vst::VstIntPtr values[] = {0,
                                   1,
                                   -1,
                                   99,
                                   std::numeric_limits<vst::VstIntPtr>::min(),
                                   std::numeric_limits<vst::VstIntPtr>::max()};
  const float opts[] = {0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN(), 1e30f};
  for (vst::VstInt32 opcode = -2; opcode <= 100; ++opcode) {
    if (opcode == vst::effClose) continue;
    const bool valueIsPointer =
        opcode == vst::effSetSpeakerArrangement || opcode == vst::effGetSpeakerArrangement;
    for (vst::VstInt32 index : indices) {
      for (vst::VstIntPtr value : values) {
        if (valueIsPointer && value != 0) continue;
        for (float opt : opts) host.Dispatch(opcode, index, value, nullptr, opt);
      }
    }
  }
  // Still a working effect afterwards.
  std::vector<float> buffer(256, 0.1f);
  float* channels[2] = {buffer.data(), buffer.data()};
  host.effect->processReplacing(host.effect, channels, channels, 256);
  for (float s : buffer) ASSERT_TRUE(std::isfinite(s));
  EXPECT_EQ(host.Text(vst::effGetEffectName), "Corvalent");
  const vst::VstIntPtr program = host.Dispatch(vst::effGetProgram);
  EXPECT_TRUE(program >= 0 && program < 16) << program;
  IProcessorVST* plug = IProcessorVST::FromEffect(host.effect);
  EXPECT_EQ(plug->SampleRate(), 48000.0);
  EXPECT_GE(plug->ScratchFrames(), 1);
}

}  // namespace
