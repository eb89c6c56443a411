#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <string>
#include <thread>

#include "framework/platform/Module.h"
#include "tests/core/TestProcessor.h"

namespace {

TEST(Processor, ConstructionDefaults) {
  TestProcessor plug;
  EXPECT_EQ(plug.NParams(), 7);
  EXPECT_EQ(plug.Parameter(0)->Kind(), kParamUninitialised);
  EXPECT_EQ(plug.Parameter(-1), nullptr);
  EXPECT_EQ(plug.Parameter(7), nullptr);
  EXPECT_EQ(plug.NPresets(), 16);
  EXPECT_STREQ(plug.PresetName(0), "- 1 -");
  EXPECT_STREQ(plug.PresetName(15), "- 16 -");
  EXPECT_STREQ(plug.EffectName(), "Corvalent");
  EXPECT_STREQ(plug.VendorName(), "Velorbit");
  EXPECT_EQ(plug.SampleRate(), 44100.0);
  EXPECT_EQ(plug.BlockSize(), 0);
  EXPECT_EQ(plug.GetHostId(), kHostNotAsked);
  EXPECT_EQ(plug.GetEffectVersion(true), 20100);
  EXPECT_EQ(plug.GetEffectVersion(false), 0x20100);
  char note[64] = "x";
  EXPECT_FALSE(plug.GetMidiNoteName(60, note));
  EXPECT_STREQ(note, "");
}

TEST(Processor, LongIdentityNamesAreCut) {
  const std::string longName(300, 'a');
  StubbedProcessor plug(0, nullptr, 0, longName.c_str(), longName.c_str(), nullptr, 0, 0, 0, 0,
                        false, false, false);
  EXPECT_EQ(std::string(plug.EffectName()), longName.substr(0, 127));
  EXPECT_EQ(std::string(plug.ProductName()), longName.substr(0, 127));
  EXPECT_STREQ(plug.VendorName(), "");
}

TEST(Processor, SetParameterFromGUIStoresRoundedReportsGiven) {
  TestProcessor plug;
  plug.Parameter(6)->InitEnumerated("Pitch", 0, 2);
  plug.SetParameterFromGUI(6, 0.7);
  EXPECT_EQ(plug.Parameter(6)->Value(), 1.0);
  ASSERT_EQ(plug.notified.size(), 1u);
  EXPECT_EQ(plug.notified[0].first, 6);
  EXPECT_EQ(plug.notified[0].second, 0.7);
  EXPECT_EQ(plug.changed, std::vector<int>{6});

  plug.SetParameterFromGUI(-1, 0.5);
  plug.SetParameterFromGUI(7, 0.5);
  plug.SetParameterFromGUI(6, std::nan(""));
  EXPECT_EQ(plug.notified.size(), 1u);
  EXPECT_EQ(plug.changed.size(), 1u);
  EXPECT_EQ(plug.Parameter(6)->Value(), 1.0);
}

TEST(Processor, AttachEditorPushesNormalisedValuesThenCreatesSurface) {
  bool deleted = false;
  {
    TestProcessor plug(2, "1-1", 1);
    plug.Parameter(0)->InitContinuous("Level", 5.0, 0.0, 10.0, 0.1, "");
    plug.Parameter(1)->InitEnumerated("Mode", 3, 4);
    plug.AttachEditor(nullptr);
    EXPECT_EQ(plug.Editor(), nullptr);

    auto* editor = new FakeEditor(&deleted);
    plug.AttachEditor(editor);
    EXPECT_EQ(plug.Editor(), editor);
    ASSERT_EQ(editor->pushes.size(), 2u);
    EXPECT_EQ(editor->pushes[0].value, 0.5);
    EXPECT_EQ(editor->pushes[1].value, 1.0);
    EXPECT_TRUE(editor->pushes[1].normalized);
    EXPECT_EQ(editor->surfaceCreatedAfter, 2u);

    editor->pushes.clear();
    plug.PushAllParametersToEditor();
    ASSERT_EQ(editor->pushes.size(), 2u);
    EXPECT_EQ(editor->pushes[0].value, 5.0);
    EXPECT_FALSE(editor->pushes[0].normalized);
    EXPECT_EQ(editor->pushes[1].value, 3.0);
  }
  EXPECT_TRUE(deleted);
}

TEST(Processor, AttachingAnotherEditorDeletesThePrevious) {
  bool firstDeleted = false;
  bool secondDeleted = false;
  {
    TestProcessor plug;
    plug.AttachEditor(new FakeEditor(&firstDeleted));
    plug.AttachEditor(new FakeEditor(&secondDeleted));
    EXPECT_TRUE(firstDeleted);
    EXPECT_FALSE(secondDeleted);
  }
  EXPECT_TRUE(secondDeleted);
}

TEST(Processor, SetHostStoresIdAndVersion) {
  TestProcessor plug;
  plug.SetHost("Cubase 7", 0x070005);
  EXPECT_EQ(plug.GetHostId(), kHostCubase);
  EXPECT_EQ(plug.HostVersion(), 0x070005);
  plug.SetHost(nullptr, 0);
  EXPECT_EQ(plug.GetHostId(), kHostUnknown);
}

TEST(PlugMutex, IsRecursiveAndExcludesOtherThreads) {
  PlugMutex mutex;
  std::atomic<bool> entered{false};
  mutex.Lock();
  mutex.Lock();
  std::thread other([&] {
    PlugLock lock(mutex);
    entered = true;
  });
  mutex.Unlock();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_FALSE(entered);
  mutex.Unlock();
  other.join();
  EXPECT_TRUE(entered);
}

TEST(Module, LockAndHandleAreModuleWide) {
  EXPECT_EQ(&ModuleLock(), &ModuleLock());
  PlugLock lock(ModuleLock());
  EXPECT_NE(ModuleHandle(), nullptr);
  void* const original = ModuleHandle();
  int marker = 0;
  SetModuleHandle(&marker);
  EXPECT_EQ(ModuleHandle(), &marker);
  SetModuleHandle(original);
}

}  // namespace
