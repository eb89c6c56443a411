#pragma once

#include "effect/BiquadBank.h"
#include "effect/OnePoleBank.h"

// Slots of the drive path, named by their role.
enum BiquadSlot : int {
  kSlotInputLowPass = 0,
  kSlotFixedLowPass = 1,
  kSlotFixedShelf = 2,
  kSlotBandHighPass = 3,
  kSlotBandLowPass = 4,
  kSlotBandLow = 5,
  kSlotBandPresence = 6,
  kSlotBandHigh = 7,
  kSlotToneLow = 9,
  kSlotToneHigh = 10,
  kSlotVoicingFirst = 11,
  kSlotVoicingLast = 29,
};

enum OnePoleSlot : int {
  kPoleA0 = 0,
  kPoleA1 = 1,
  kPoleA2 = 2,
  kPoleA3 = 3,
  kPoleB0 = 0,
  kPoleB1 = 1,
  kPoleB2 = 2,
};

// Clears all three banks and designs every slot in use for the sample rate,
// the tone pair from `tone`. Slots 8, 30 and 31 and the unused one-poles stay
// zero.
void DesignDriveFilters(double sampleRate, double tone, BiquadBank& biquads, OnePoleBank& polesA,
                        OnePoleBank& polesB);

// The tone law: redesigns slots 9 and 10 from the "Tone" value, keeping their
// states.
void ApplyToneLaw(double tone, double sampleRate, BiquadBank& biquads);
