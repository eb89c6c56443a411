#include "effect/FilterTable.h"

#include <iterator>

#include "effect/FilterDesign.h"

namespace {

enum class SlotKind { LowPass, HighPass, Peaking, HighShelf, LowShelfModified };

struct SlotDesign {
  int slot;
  SlotKind kind;
  double frequencyHz;
  double bandwidthOct;
  double gainDb;
};

// Slots 0 to 7: the input filter and the three clipping branches.
constexpr SlotDesign kDriveSlots[] = {
    {0, SlotKind::LowPass, 650.0, 1.4, 0.0},     {1, SlotKind::LowPass, 2000.0, 1.4, 0.0},
    {2, SlotKind::HighShelf, 3100.0, 0.0, 12.0}, {3, SlotKind::HighPass, 730.0, 1.4, 0.0},
    {4, SlotKind::LowPass, 1500.0, 1.4, 0.0},    {5, SlotKind::LowPass, 400.0, 0.755, 0.0},
    {6, SlotKind::HighPass, 9700.0, 0.555, 0.0}, {7, SlotKind::LowPass, 7500.0, 1.5, 0.0},
};

// The fixed voicing, slots 11 to 29 in cascade order.
constexpr SlotDesign kVoicingSlots[] = {
    {11, SlotKind::LowShelfModified, 160.0, 0.0, -20.1},
    {12, SlotKind::Peaking, 120.0, 2.4, 21.0},
    {13, SlotKind::Peaking, 4200.0, 0.2, -12.3},
    {14, SlotKind::Peaking, 400.0, 1.3, -3.6},
    {15, SlotKind::Peaking, 680.0, 0.2, 8.1},
    {16, SlotKind::Peaking, 1800.0, 0.1, 8.4},
    {17, SlotKind::Peaking, 2300.0, 0.4, 9.9},
    {18, SlotKind::Peaking, 4800.0, 0.2, 10.2},
    {19, SlotKind::HighShelf, 7700.0, 0.0, -10.5},
    {20, SlotKind::Peaking, 5700.0, 0.2, -18.9},
    {21, SlotKind::Peaking, 600.0, 0.2, -4.2},
    {22, SlotKind::Peaking, 1950.0, 0.1, -8.7},
    {23, SlotKind::Peaking, 2450.0, 0.1, -11.1},
    {24, SlotKind::Peaking, 3200.0, 0.1, -5.1},
    {25, SlotKind::Peaking, 6400.0, 0.1, 3.9},
    {26, SlotKind::Peaking, 7300.0, 0.1, -12.9},
    {27, SlotKind::Peaking, 9900.0, 0.3, -21.0},
    {28, SlotKind::Peaking, 2700.0, 3.9, 0.1},
    {29, SlotKind::HighShelf, 13800.0, 0.0, -20.4},
};
static_assert(std::size(kVoicingSlots) == kSlotVoicingLast - kSlotVoicingFirst + 1);

struct PoleDesign {
  bool bankA;
  int slot;
  double cutoffHz;
};

constexpr PoleDesign kPoles[] = {
    {false, kPoleB0, 720.484}, {true, kPoleA0, 723.431},  {false, kPoleB1, 720.484},
    {true, kPoleA1, 2000.0},   {false, kPoleB2, 723.431}, {true, kPoleA2, 2700.0},
    {true, kPoleA3, 6500.0},
};

BiquadCoefficients Design(const SlotDesign& d, double sampleRate) {
  switch (d.kind) {
    case SlotKind::LowPass:
      return DesignLowPass(d.frequencyHz, d.bandwidthOct, sampleRate);
    case SlotKind::HighPass:
      return DesignHighPass(d.frequencyHz, d.bandwidthOct, sampleRate);
    case SlotKind::Peaking:
      return DesignPeaking(d.frequencyHz, d.bandwidthOct, d.gainDb, sampleRate);
    case SlotKind::HighShelf:
      return DesignHighShelf(d.frequencyHz, d.gainDb, sampleRate);
    case SlotKind::LowShelfModified:
      return DesignLowShelfModified(d.frequencyHz, d.gainDb, sampleRate);
  }
  return {};
}

}  // namespace

void DesignDriveFilters(double sampleRate, double tone, BiquadBank& biquads, OnePoleBank& polesA,
                        OnePoleBank& polesB) {
  biquads.Clear();
  polesA.Clear();
  polesB.Clear();
  for (const SlotDesign& d : kDriveSlots) biquads.SetCoefficients(d.slot, Design(d, sampleRate));
  for (const PoleDesign& p : kPoles)
    (p.bankA ? polesA : polesB).Design(p.slot, p.cutoffHz, sampleRate);
  ApplyToneLaw(tone, sampleRate, biquads);
  for (const SlotDesign& d : kVoicingSlots) biquads.SetCoefficients(d.slot, Design(d, sampleRate));
}

void ApplyToneLaw(double tone, double sampleRate, BiquadBank& biquads) {
  biquads.SetCoefficients(kSlotToneLow,
                          DesignPeaking(1200.0, 1.5, 30.0 - 30.0 * tone - 10.0, sampleRate));
  biquads.SetCoefficients(kSlotToneHigh, DesignPeaking(4000.0, 3.0, 30.0 * tone, sampleRate));
}
