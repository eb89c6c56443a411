#pragma once

// Conversions between the host's single-precision buffers and the effect's
// double-precision channels. Unrolled by four: they run for every channel of
// every block.

inline void FloatToDouble(const float* in, double* out, int nFrames) {
  int j = 0;
  for (; j + 4 <= nFrames; j += 4) {
    out[j] = static_cast<double>(in[j]);
    out[j + 1] = static_cast<double>(in[j + 1]);
    out[j + 2] = static_cast<double>(in[j + 2]);
    out[j + 3] = static_cast<double>(in[j + 3]);
  }
  for (; j < nFrames; ++j) out[j] = static_cast<double>(in[j]);
}

inline void DoubleToFloat(const double* in, float* out, int nFrames) {
  int j = 0;
  for (; j + 4 <= nFrames; j += 4) {
    out[j] = static_cast<float>(in[j]);
    out[j + 1] = static_cast<float>(in[j + 1]);
    out[j + 2] = static_cast<float>(in[j + 2]);
    out[j + 3] = static_cast<float>(in[j + 3]);
  }
  for (; j < nFrames; ++j) out[j] = static_cast<float>(in[j]);
}

// out[j] += in[j], the addition in single precision.
inline void AccumulateDoubleIntoFloat(const double* in, float* out, int nFrames) {
  int j = 0;
  for (; j + 4 <= nFrames; j += 4) {
    out[j] = out[j] + static_cast<float>(in[j]);
    out[j + 1] = out[j + 1] + static_cast<float>(in[j + 1]);
    out[j + 2] = out[j + 2] + static_cast<float>(in[j + 2]);
    out[j + 3] = out[j + 3] + static_cast<float>(in[j + 3]);
  }
  for (; j < nFrames; ++j) out[j] = out[j] + static_cast<float>(in[j]);
}
