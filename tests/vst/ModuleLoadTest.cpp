// Loads the built module file as a host does and drives one instance through
// both exported entry points.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/vst/FakeHost.h"
#include "tools/HostPlatform.h"

namespace {

TEST(ModuleLoad, BothExportsCreateWorkingInstances) {
  std::string error;
  std::unique_ptr<render::PluginModule> module =
      render::LoadPluginModule(CORVALENT_MODULE_PATH, error);
  ASSERT_NE(module, nullptr) << error;
  const vst::VstPluginMainProc entry = module->EntryPointNamed("VSTPluginMain");
  const vst::VstPluginMainProc oldEntry = module->EntryPointNamed("main");
  ASSERT_NE(entry, nullptr);
  ASSERT_NE(oldEntry, nullptr);
  FakeHost old(oldEntry);
  ASSERT_NE(old.effect, nullptr);
  EXPECT_EQ(old.effect->magic, vst::kEffectMagic);

  FakeHost host(entry);
  ASSERT_NE(host.effect, nullptr);
  EXPECT_EQ(host.effect->magic, vst::kEffectMagic);
  EXPECT_EQ(host.effect->uniqueID, vst::FourCC('m', 'v', 'k', '7'));
  host.Start();
  std::vector<float> left(512, 0.1f), right(512, 0.1f);
  float* channels[2] = {left.data(), right.data()};
  host.effect->processReplacing(host.effect, channels, channels, 512);
  EXPECT_EQ(host.Text(vst::effGetEffectName), "Corvalent");
}

}  // namespace
