#pragma once

#include "effect/BiquadBank.h"

// Biquad designs with a0 normalised to 1. Frequencies in Hz, bandwidths in
// octaves, gains in dB. Nothing is limited to below half the sample rate.
BiquadCoefficients DesignLowPass(double cutoffHz, double bandwidthOct, double sampleRate);
BiquadCoefficients DesignHighPass(double cutoffHz, double bandwidthOct, double sampleRate);
BiquadCoefficients DesignPeaking(double centreHz, double bandwidthOct, double gainDb,
                                 double sampleRate);
// Shelves of slope 1.
BiquadCoefficients DesignHighShelf(double cornerHz, double gainDb, double sampleRate);
// The voicing's low shelf: its cosine term is taken at 0.41 w and its square
// root term divided by 1.41 (both single-precision constants widened).
BiquadCoefficients DesignLowShelfModified(double cornerHz, double gainDb, double sampleRate);
