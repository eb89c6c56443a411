#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "framework/vst/IProcessorVST.h"
#include "framework/vst/VSTPluginMain.h"
#include "tests/vst/FakeHost.h"
#include "tests/vst/PlugInspection.h"

namespace {

IProcessorVST* PlugOf(FakeHost& host) {
  return IProcessorVST::FromEffect(host.effect);
}

TEST(HostIdentification, IsAskedOnceAtOpen) {
  FakeHost host(&VSTPluginMain);
  host.product = "REAPER";
  host.vendorVersion = 50102;
  EXPECT_TRUE(host.calls.empty()) << "the entry point calls nobody";
  host.Dispatch(vst::effOpen);
  host.Dispatch(vst::effOpen);
  EXPECT_EQ(host.Count(vst::audioMasterGetProductString), 1);
  EXPECT_EQ(host.Count(vst::audioMasterGetVendorVersion), 1);
  EXPECT_EQ(PlugOf(host)->StoredHostId(), kHostReaper);
  EXPECT_EQ(PlugOf(host)->HostVersion(), 0x050102);
}

TEST(HostIdentification, EmptyProductIsAnUnknownHostWithoutVersion) {
  FakeHost host(&VSTPluginMain);
  host.product = "";
  host.Dispatch(vst::effOpen);
  EXPECT_EQ(PlugOf(host)->GetHostId(), kHostUnknown);
  EXPECT_EQ(PlugOf(host)->HostVersion(), 0);
  EXPECT_EQ(host.Count(vst::audioMasterGetVendorVersion), 0);
  EXPECT_EQ(host.Count(vst::audioMasterGetProductString), 1);
}

TEST(HostIdentification, DecimalVendorVersionsArePacked) {
  const std::pair<int, int> cases[] = {
      {0, 0}, {50102, 0x050102}, {20100, 0x020100}, {109999, 0x0A6363}, {1, 1}};
  for (const auto& [decimal, packed] : cases) {
    EXPECT_EQ(PackedFromDecimalVersion(decimal), packed) << decimal;
  }
}

TEST(HostIdentification, HostsThatHandleOnlyThePairKeepBothChannels) {
  for (const char* product : {"Adobe Audition", "forte", "Orion Platinum", "SAWStudio", "Live"}) {
    FakeHost host(&VSTPluginMain);
    host.product = product;
    host.Dispatch(vst::effOpen);
    IProcessorVST* plug = PlugOf(host);
    // With two channels the first pair is everything the plug-in has.
    EXPECT_TRUE(InputConnected(plug, 0) && InputConnected(plug, 1)) << product;
    EXPECT_TRUE(OutputConnected(plug, 0) && OutputConnected(plug, 1)) << product;
    EXPECT_EQ(host.effect->numInputs, 2) << product;
    EXPECT_EQ(host.effect->numOutputs, 2) << product;
  }
  FakeHost audition(&VSTPluginMain);
  audition.product = "Adobe Audition";
  audition.Dispatch(vst::effOpen);
  EXPECT_EQ(PlugOf(audition)->StoredHostId(), kHostAudition);
}

TEST(TimeQueries, ReadOnlyWhatTheHostMarksValid) {
  FakeHost host(&VSTPluginMain);
  IProcessorVST* plug = PlugOf(host);
  int numerator = -1;
  int denominator = -1;
  plug->GetTimeSignature(&numerator, &denominator);
  EXPECT_EQ(numerator, 0);
  EXPECT_EQ(denominator, 0);
  EXPECT_EQ(plug->GetHostTempo(), 0.0);
  EXPECT_EQ(plug->GetSamplePosition(), 0);

  vst::VstTimeInfo time{};
  time.samplePos = 12345.75;
  time.tempo = 133.0;
  time.timeSigNumerator = 7;
  time.timeSigDenominator = 8;
  host.timeInfo = &time;
  EXPECT_EQ(plug->GetSamplePosition(), 12345);
  EXPECT_EQ(plug->GetHostTempo(), 0.0) << "tempo not marked valid";
  plug->GetTimeSignature(&numerator, &denominator);
  EXPECT_EQ(numerator, 0);

  time.flags = vst::kVstTempoValid | vst::kVstTimeSigValid;
  EXPECT_EQ(plug->GetHostTempo(), 133.0);
  plug->GetTimeSignature(&numerator, &denominator);
  EXPECT_EQ(numerator, 7);
  EXPECT_EQ(denominator, 8);

  time.samplePos = -5.0;
  time.tempo = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(plug->GetSamplePosition(), 0);
  EXPECT_EQ(plug->GetHostTempo(), 0.0);
  time.samplePos = 1e300;
  EXPECT_EQ(plug->GetSamplePosition(), 0);
  const HostCall& last = host.calls.back();
  EXPECT_EQ(last.value, 0);
}

TEST(ParameterGestures, GoToTheHost) {
  FakeHost host(&VSTPluginMain);
  IProcessorVST* plug = PlugOf(host);
  plug->BeginParamGesture(3);
  plug->NotifyHostParamChange(3, 0.25);
  plug->EndParamGesture(3);
  ASSERT_EQ(host.calls.size(), 3u);
  EXPECT_EQ(host.calls[0].opcode, vst::audioMasterBeginEdit);
  EXPECT_EQ(host.calls[1].opcode, vst::audioMasterAutomate);
  EXPECT_EQ(host.calls[1].opt, 0.25f);
  EXPECT_EQ(host.calls[2].opcode, vst::audioMasterEndEdit);
  for (const HostCall& call : host.calls) EXPECT_EQ(call.index, 3);
}

TEST(HostCallback, AbsentCallbackIsNeverCalled) {
  vst::AEffect* effect = VSTPluginMain(nullptr);
  ASSERT_NE(effect, nullptr);
  effect->dispatcher(effect, vst::effOpen, 0, 0, nullptr, 0.0f);
  float buffer[64] = {};
  float* channels[2] = {buffer, buffer};
  effect->processReplacing(effect, channels, channels, 64);
  IProcessorVST* plug = IProcessorVST::FromEffect(effect);
  EXPECT_EQ(plug->GetHostTempo(), 0.0);
  EXPECT_EQ(plug->GetSamplePosition(), 0);
  effect->dispatcher(effect, vst::effClose, 0, 0, nullptr, 0.0f);
}

}  // namespace

namespace {

// A four-channel plug-in made directly on the binding.
vst::AEffect* MakeFourChannelPlug(vst::audioMasterCallback callback) {
  auto* plug = new IProcessorVST(callback, 2, "4-4", 0, "Quad", "", "Test", 0x10000, 1234, 5678, 0,
                                 false, true, false);
  return plug->Effect();
}

TEST(HostIdentification, FirstPairOnlyHostsLoseTheInputsBeyondIt) {
  for (const char* product : {"Adobe Audition", "Cubase"}) {
    FakeHost host(&MakeFourChannelPlug);
    host.product = product;
    const bool restricted = std::string(product) == "Adobe Audition";
    // Chunks but no mono configuration: replacing, double replacing, chunks.
    EXPECT_EQ(host.effect->flags, 0x1030);
    EXPECT_EQ(host.effect->numPrograms, 0) << "only the module's entry point raises it";
    host.Dispatch(vst::effOpen);
    IProcessorVST* plug = PlugOf(host);
    EXPECT_TRUE(InputConnected(plug, 0) && InputConnected(plug, 1)) << product;
    EXPECT_EQ(InputConnected(plug, 2), !restricted) << product;
    EXPECT_EQ(InputConnected(plug, 3), !restricted) << product;
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(OutputConnected(plug, i)) << product << i;
    EXPECT_EQ(host.effect->numInputs, 4);
    EXPECT_EQ(host.Dispatch(vst::effCanDo, 0, 0, const_cast<char*>("receiveVstMidiEvent")), 0)
        << "this plug-in does no MIDI";
  }
}

}  // namespace
