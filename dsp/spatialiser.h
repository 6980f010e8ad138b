// The spatialiser engine: four free functions over one state record that the caller allocates
// (spatialiserStateSize bytes, zero-filled) and hands in on every call. No allocation, no globals.
#pragma once

#include <cstdint>

struct SpatialiserState;  // dsp/spatialiser_state.h

uint32_t spatialiserStateSize();

// Takes the eleven engine values (azimuth -1..1, waveform 0..2, the rest 0..1); values outside
// those ranges are taken as clamped, non-finite ones as the low end (azimuth: 0).
void spatialiserUpdate(float azimuth, float azimuthSpeed, float azimuthDepth, float waveform,
                       float elevation, float elevationSpeed, float elevationDepth, float distance,
                       float stereoField, float quality, float reflectionPattern,
                       SpatialiserState* state);

// Inputs and outputs may be the same buffers. Process mixes into the outputs, ProcessReplacing
// overwrites them. Nothing happens before the first update.
void spatialiserProcess(const float* input0, const float* input1, float* output0, float* output1,
                        int32_t sampleCount, SpatialiserState* state);
void spatialiserProcessReplacing(const float* input0, const float* input1, float* output0,
                                 float* output1, int32_t sampleCount, SpatialiserState* state);

// Takes effect at the next update; a rate that is not finite and above 0 is ignored.
void spatialiserSetSampleRate(float sampleRate, SpatialiserState* state);
