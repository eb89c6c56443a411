#pragma once
// Reading an instance's routing from outside, for tests.

#include "framework/vst/IProcessorVST.h"

inline bool InputConnected(IProcessorVST* plug, int index) {
  const InputChannel* channel = plug->Input(index);
  return channel != nullptr && channel->connected;
}

inline bool OutputConnected(IProcessorVST* plug, int index) {
  const OutputChannel* channel = plug->Output(index);
  return channel != nullptr && channel->connected;
}
