#include "effect/DrivePath.h"

#include "effect/FilterTable.h"
#include "effect/SoftClip.h"

namespace {

constexpr double kOffset = BiquadBank::kDenormalOffset;

}  // namespace

void DrivePath::Design(double sampleRate, double tone) {
  DesignDriveFilters(sampleRate, tone, biquads_, polesA_, polesB_);
}

void DrivePath::SetTone(double tone, double sampleRate) {
  ApplyToneLaw(tone, sampleRate, biquads_);
}

double DrivePath::FixedClipBranch(double v) {
  const double u = biquads_.Run(kSlotFixedLowPass, v);
  const double l = polesB_.Run(kPoleB0, u);
  const double r = 32.4 * (u - l + kOffset);
  const double k = u + SoftClip(r);
  const double m = polesA_.Run(kPoleA0, k) + kOffset;
  return biquads_.Run(kSlotFixedShelf, m);
}

double DrivePath::DriveClipBranch(double v) {
  const double a = polesA_.Run(kPoleA1, v) + kOffset;
  const double l = polesB_.Run(kPoleB1, a);
  const double g = (driveAmount_ * 75.0 + 3.0) * (a - l + kOffset);
  const double c = SoftClip(SoftClip(g));
  const double m = polesA_.Run(kPoleA2, c) + kOffset;
  const double o = polesB_.Run(kPoleB2, c);
  return ((c - o + kOffset) * -0.07 + m) * 0.6;
}

double DrivePath::BandClipBranch(double x) {
  const double h = biquads_.Run(kSlotBandHighPass, x);
  const double b = biquads_.Run(kSlotBandLowPass, h);
  const double c = SoftClip(driveAmount_ * 500.0 * b);
  const double o = polesA_.Run(kPoleA3, c) + kOffset;
  const double g = biquads_.Run(kSlotBandLow, o);
  const double p = biquads_.Run(kSlotBandPresence, o);
  const double z = biquads_.Run(kSlotBandHigh, o);
  return p * 2.1 * 1.593 + g * 1.017 + z * 1.305;
}

double DrivePath::VoicingCascade(double t) {
  for (int slot = kSlotVoicingFirst; slot <= kSlotVoicingLast; ++slot) t = biquads_.Run(slot, t);
  return t;
}

double DrivePath::DriveStage(double x) {
  const double v = biquads_.Run(kSlotInputLowPass, x);
  const double cB = BandClipBranch(x);
  const double cF = FixedClipBranch(v);
  const double cD = DriveClipBranch(v);
  return (cF + cB + cD) * levelGain_;
}

double DrivePath::ProcessSample(double x) {
  const double s = DriveStage(x);
  const double t = biquads_.Run(kSlotToneHigh, biquads_.Run(kSlotToneLow, s));
  return VoicingCascade(t);
}

void DrivePath::ProcessBlock(double* samples, int count) {
  biquads_.FlushTinyStates();
  for (int i = 0; i < count; ++i) samples[i] = DriveStage(samples[i]);
  biquads_.RunSeries(kSlotToneLow, kSlotVoicingLast, samples, count);
}
