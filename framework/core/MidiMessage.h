#pragma once

#include <cstdint>

// A short MIDI message as it travels between host, plug-in base and effect.
struct MidiMessage {
  int32_t frameOffset = 0;
  uint8_t status = 0;
  uint8_t data1 = 0;
  uint8_t data2 = 0;
};
