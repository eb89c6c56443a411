#include <gtest/gtest.h>

#include <cstring>

#include "framework/vst/VSTPluginMain.h"
#include "tests/vst/FakeHost.h"

namespace {

TEST(EffectRecord, CarriesTheEffectsIdentityAndCallbacks) {
  FakeHost host(&VSTPluginMain);
  const vst::AEffect* e = host.effect;
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->magic, 0x56737450);
  EXPECT_EQ(e->numPrograms, 16);
  EXPECT_EQ(e->numParams, 7);
  EXPECT_EQ(e->numInputs, 2);
  EXPECT_EQ(e->numOutputs, 2);
  // Replacing, double replacing and mono; no editor window is offered yet.
  EXPECT_EQ(e->flags, 0x1018);
  EXPECT_EQ(e->initialDelay, 0);
  EXPECT_EQ(e->ioRatio, 1.0f);
  EXPECT_EQ(e->uniqueID, vst::FourCC('m', 'v', 'k', '7'));
  EXPECT_EQ(e->version, 20100);
  EXPECT_NE(e->object, nullptr);
  EXPECT_NE(e->dispatcher, nullptr);
  EXPECT_NE(e->process, nullptr);
  EXPECT_NE(e->processReplacing, nullptr);
  EXPECT_NE(e->processDoubleReplacing, nullptr);
  EXPECT_NE(e->setParameter, nullptr);
  EXPECT_NE(e->getParameter, nullptr);
  EXPECT_EQ(e->resvd1, 0);
  EXPECT_EQ(e->resvd2, 0);
  EXPECT_EQ(e->realQualities, 0);
  EXPECT_EQ(e->offQualities, 0);
  const char zeros[sizeof(e->future)] = {};
  EXPECT_EQ(std::memcmp(e->future, zeros, sizeof(zeros)), 0);
}

TEST(EffectRecord, EveryEntryCallMakesAnIndependentInstance) {
  FakeHost host(&VSTPluginMain);
  vst::AEffect* second = host.CreateAnother();
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second, host.effect);
  EXPECT_NE(second->object, host.effect->object);

  host.effect->setParameter(host.effect, 0, 0.9f);
  EXPECT_EQ(host.effect->getParameter(host.effect, 0), 0.9f);
  EXPECT_EQ(second->getParameter(second, 0), 0.5f);
}

TEST(EffectRecord, RecordWithoutObjectIsAnsweredWithZero) {
  FakeHost host(&VSTPluginMain);
  vst::AEffect detached = *host.effect;
  detached.object = nullptr;
  EXPECT_EQ(detached.dispatcher(&detached, vst::effIdentify, 0, 0, nullptr, 0.0f), 0);
  EXPECT_EQ(detached.getParameter(&detached, 0), 0.0f);
  detached.setParameter(&detached, 0, 0.1f);
  float buffer[4] = {};
  float* channels[2] = {buffer, buffer};
  detached.processReplacing(&detached, channels, channels, 4);
  EXPECT_EQ(host.effect->getParameter(host.effect, 0), 0.5f);
}

}  // namespace
