// The two modulation oscillators and the azimuth smoother, stepped once per sample by the render
// loop. The block works on a copy held in locals and stores it back at the end.
#pragma once

#include <emmintrin.h>

#include <cmath>
#include <cstddef>

#include "dsp/spatialiser_state.h"

constexpr float kPhaseEnd = 8192.0f;

struct Oscillators {
    const float* azimuthTable;
    const float* sineTable;
    float azimuthPhase;
    float azimuthIncrement;
    float azimuthDepth;
    float azimuthTarget;
    float azimuthCurrent;
    float elevationPhase;
    float elevationIncrement;
    float elevationDepth;
    float elevationTarget;
    float glideWeight;  // samples of history in the azimuth glide: 4000 at 44100 Hz
    float glideScale;   // 1 / (glideWeight + 1)
    bool sweepMayWrap;  // false when no table entry can take the sweep outside -1..1
};

inline const float* azimuthTableFor(const SpatialiserState& state) {
    if (state.waveform <= 0.0f) return state.sineTable;
    if (state.waveform <= 1.0f) return state.invertedRampTable;
    return state.rampTable;
}

// Whether table entry t * depth + target can leave -1..1 for some entry t of the azimuth table.
// Rounding is monotonic, so the bounds of the entries (sine and ramp -1..1, inverted ramp 0..2,
// the zero past the end included) bound the sweep exactly as the per-sample arithmetic rounds it.
inline bool sweepMayWrap(const SpatialiserState& state, float depth, float target) {
    const bool inverted = state.waveform > 0.0f && state.waveform <= 1.0f;
    const float lowest = (inverted ? 0.0f : -1.0f) * depth + target;
    const float highest = (inverted ? 2.0f : 1.0f) * depth + target;
    return !(lowest >= -1.0f && highest <= 1.0f);
}

inline Oscillators startOscillators(const SpatialiserState& state) {
    Oscillators oscillators;
    oscillators.azimuthTable = azimuthTableFor(state);
    oscillators.sineTable = state.sineTable;
    oscillators.azimuthPhase = state.azimuthPhase;
    oscillators.azimuthIncrement = state.azimuthIncrement;
    oscillators.azimuthDepth = state.azimuthDepth;
    oscillators.azimuthTarget = state.azimuthTarget;
    oscillators.azimuthCurrent = state.azimuthCurrent;
    oscillators.elevationPhase = state.elevationPhase;
    oscillators.elevationIncrement = state.elevationIncrement;
    oscillators.elevationDepth = state.elevationDepth;
    oscillators.elevationTarget = state.elevationTarget;
    oscillators.glideWeight = state.glideWeight;
    oscillators.glideScale = state.glideScale;
    oscillators.sweepMayWrap = sweepMayWrap(state, state.azimuthDepth, state.azimuthTarget);
    return oscillators;
}

inline void storeOscillators(const Oscillators& oscillators, SpatialiserState& state) {
    state.azimuthPhase = oscillators.azimuthPhase;
    state.azimuthCurrent = oscillators.azimuthCurrent;
    state.elevationPhase = oscillators.elevationPhase;
}

// A table position truncated to an index of pointer width, which needs no widening before the
// load.
inline std::ptrdiff_t tableIndex(float position) {
    return static_cast<std::ptrdiff_t>(position);
}

// Advances both oscillators by one sample: updates azimuthCurrent, returns the elevation before
// it is limited to 0..1 (limitElevation, four samples at once).
inline float stepOscillators(Oscillators& o) {
    // A phase past the end restarts at 0; the remainder is dropped.
    o.azimuthPhase += o.azimuthIncrement;
    if (o.azimuthPhase > kPhaseEnd) o.azimuthPhase = 0.0f;
    float azimuth = o.azimuthTable[tableIndex(o.azimuthPhase)] * o.azimuthDepth + o.azimuthTarget;
    if (o.sweepMayWrap) {
        if (azimuth > 1.0f) {
            azimuth -= 2.0f;
        } else if (azimuth < -1.0f) {
            azimuth += 2.0f;
        }
    }

    o.elevationPhase += o.elevationIncrement;
    if (o.elevationPhase > kPhaseEnd) o.elevationPhase = 0.0f;
    const float elevation = o.sineTable[tableIndex(o.elevationPhase)] * o.elevationDepth + o.elevationTarget;

    // Positions near the back are taken at once, so a sweep wraps from +1 to -1 without gliding.
    if (std::fabs(azimuth) >= 0.9f) {
        o.azimuthCurrent = azimuth;
    } else {
        o.azimuthCurrent = (o.azimuthCurrent * o.glideWeight + azimuth) * o.glideScale;
    }
    return elevation;
}

// The elevations limited to 0..1: above 1 it is 1, below 0 it is 0, anything else (-0 and NaN
// included) stays, as the operands' order in minps and maxps gives.
inline __m128 limitElevation(__m128 elevation) {
    return _mm_max_ps(_mm_setzero_ps(), _mm_min_ps(_mm_set1_ps(1.0f), elevation));
}
