// The engine's state record. Private to the engine; its owner only allocates, zero-fills and
// frees it (the engine relies on every field starting at zero).
#pragma once

#include <cstdint>

constexpr int kBandCount = 7;
constexpr int kBandLanes = 8;  // two vectors of four
constexpr int kElevationFilterCount = 4;  // left A, right A, left B, right B; band 6's coefficients
constexpr int kElevationBand = 5;
constexpr int kItdLineCapacity = 100;     // samples per interaural delay line
constexpr int kTableCapacity = 8292;      // entries per wave and position table
constexpr int kTableEntries = 8192;       // entries filled (position tables: one more)
constexpr int kReflectionCapacity = 24000;
constexpr int kTapCount = 24;

// Reflection tap slots, each known by the multiplier k that places it at trunc(N / 13400 * k - 1).
enum TapSlot : int {
    kTap2564, kTap2623, kTap6120, kTap6254, kTap10221, kTap10645, kTap10110, kTap10987,
    kTap1, kTap13100, kTap2, kTap13364, kTap2265, kTap2699, kTap5987, kTap6454,
    kTap900, kTap3700, kTap8280, kTap12420, kTap1245, kTap4580, kTap8970, kTap10254,
};

constexpr int32_t kTapMultipliers[kTapCount] = {
    2564, 2623, 6120, 6254, 10221, 10645, 10110, 10987, 1, 13100, 2, 13364,
    2265, 2699, 5987, 6454, 900, 3700, 8280, 12420, 1245, 4580, 8970, 10254,
};

struct SpatialiserState {
    char signature[4];
    int32_t ready;  // 0 until the first update
    float azimuthCurrent;  // smoothed azimuth, -1..1
    float azimuthSpeed;    // Hz
    float azimuthDepth;    // 0 while azimuthSpeed is 0
    float waveform;        // 0 sine, 1 inverted ramp, 2 ramp
    float elevationSpeed;  // Hz
    float elevationDepth;  // 0 while elevationSpeed is 0
    float distance;
    float stereoField;  // only exactly 1.0 is told apart
    float quality;      // 0 selects the low-quality reflections
    float front;        // position weights of the last rendered sample
    float lateral;
    float rear;
    float itdSpan;  // largest interaural delay, samples
    float azimuthTarget;
    float elevationTarget;
    float azimuthPhase;    // table position, 0..8192
    float elevationPhase;  // table position, 0..8192
    float bandState[kBandCount][2];  // z1, z2
    float elevationFilterState[kElevationFilterCount][2];
    float itdBuffer[2][kItdLineCapacity];  // left, right
    float sineTable[kTableCapacity];
    float rampTable[kTableCapacity];
    float invertedRampTable[kTableCapacity];
    float rearTable[kTableCapacity];
    float lateralTable[kTableCapacity];
    float frontTable[kTableCapacity];
    int32_t itdWriteIndex[2];
    int32_t itdLength[2];
    float elevation;       // elevation of the last rendered sample, 0..1
    float distanceWeight;  // 0.7 * distance
    float roomScale;
    float reflectionPattern;
    float reflectionBuffer[2][kReflectionCapacity];  // left, then right directly after it
    int32_t cycleLength;  // N: the buffers use indices 0..N
    int32_t writeIndex;
    int32_t tapIndex[kTapCount];
    int32_t fourSamplesAtOnce[2];  // per quality (low, high): the geometry allows vectors across time
    int32_t samplesBeforeWrap;  // until the first moving reflection pointer passes N; 0: not yet measured
    float sampleRate;  // as last set by the owner; 0 means 44100 Hz
    int32_t instructionSet;  // the render loop's (dsp/instruction_set.h), chosen by the first update

    // For the rate the geometry was last built at (dsp/sample_rate.h).
    float appliedSampleRate;
    float rateRatio;  // rate / 44100
    float bandB0[kBandLanes];  // band sections 1..7; the eighth lane stays 0
    float bandA1[kBandLanes];
    float bandA2[kBandLanes];
    double phasePerHz;  // table entries per sample per Hz
    float glideWeight;  // samples of history in the azimuth glide
    float glideScale;   // 1 / (glideWeight + 1)

    // Oscillator phase steps per sample, set by every update.
    float azimuthIncrement;
    float elevationIncrement;
};
