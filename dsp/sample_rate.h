// What depends on the sample rate: the band and cut filters, the oscillators' speed, the azimuth
// glide, the interaural span and the reflection cycle. Times and frequencies keep their meaning
// in seconds and hertz; at 44100 Hz the engine's own constants are used as they are.
#pragma once

#include "dsp/spatialiser_state.h"

constexpr float kNominalSampleRate = 44100.0f;
// Rates are taken within these limits. At the highest the longest reflection cycle (about
// 22200 samples) still fits its buffers.
constexpr float kLowestSampleRate = 1000.0f;
constexpr float kHighestSampleRate = 384000.0f;

struct BandPass {
    float b0;
    float a1;
    float a2;
};

// The constant 0 dB peak band-pass section at `centre` Hz with quality `q`; a centre above
// 0.45 of the rate is held there.
BandPass designBandPass(double centre, double q, double rate);

// The rate the engine works at: the one last set, 44100 Hz in a zero-filled state.
float sampleRateOf(const SpatialiserState& state);

// Fills every rate-dependent field of the state for `rate`.
void applySampleRate(float rate, SpatialiserState& state);
