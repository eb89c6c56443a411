#pragma once
// The built-in test signal: a few seconds of a plucked guitar riff, synthesized
// so that no file is needed to hear the effect.

#include "tools/AudioFile.h"

namespace render {

// Mono. Uses only additions and multiplications, so every platform renders the
// same samples and cross-platform comparisons measure the plug-in alone.
AudioData MakeDemoRiff(double sampleRate);

}  // namespace render
