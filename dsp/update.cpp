// Parameter update and re-initialisation of the reflection geometry.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "dsp/instruction_set.h"
#include "dsp/reflection_network.h"
#include "dsp/sample_rate.h"
#include "dsp/spatialiser.h"
#include "dsp/spatialiser_state.h"
#include "dsp/tables.h"

namespace {

constexpr double kTapFactor = 7.462686567164179e-05;  // 1 / 13400 of the cycle per multiplier unit

// The engine takes a value outside its range as the nearest end, a non-finite one as `fallback`.
float limited(float value, float low, float high, float fallback) {
    return std::isfinite(value) ? std::clamp(value, low, high) : fallback;
}

float unit(float value) {
    return limited(value, 0.0f, 1.0f, 0.0f);
}

// The interaural span: 4 * distance + 8 samples at 44100 Hz, within the lines' capacity.
float itdSpanFor(float distance, const SpatialiserState& state) {
    return std::min((distance * 4.0f + 8.0f) * state.rateRatio, static_cast<float>(kItdLineCapacity - 1));
}

void reinitialise(float azimuth, float elevation, float distance, float quality,
                  float reflectionPattern, SpatialiserState& state) {
    std::memcpy(state.signature, "uad3", sizeof state.signature);
    state.quality = quality;
    state.reflectionPattern = reflectionPattern;
    state.roomScale = (reflectionPattern * 0.5f + 1.0f) * 0.17777776f;
    // The smoother jumps to the new position instead of gliding there.
    state.azimuthCurrent = azimuth;
    state.elevation = elevation;
    state.itdLength[0] = 0;
    state.itdLength[1] = 0;
    state.itdSpan = itdSpanFor(distance, state);
    state.distanceWeight = distance * 0.7f;

    // N runs from 1843 (pattern 0) to 2554 (pattern 1) at 44100 Hz; at other rates the cycle of
    // N + 1 positions keeps its time. Writing starts one position behind 0.
    const int32_t nominalLast = static_cast<int32_t>(state.roomScale * 8000.0f + 422.0f - 1.0f);
    const int32_t last =
        static_cast<int32_t>((nominalLast + 1) * static_cast<double>(state.appliedSampleRate) / kNominalSampleRate) - 1;
    state.cycleLength = last;
    state.writeIndex = last;
    const double tapScale = last * kTapFactor;
    for (int slot = 0; slot < kTapCount; ++slot) {
        state.tapIndex[slot] = static_cast<int32_t>(tapScale * kTapMultipliers[slot] - 1.0);
    }
    state.fourSamplesAtOnce[0] = fourSamplesAtOnce(state, ReflectionQuality::low);
    state.fourSamplesAtOnce[1] = fourSamplesAtOnce(state, ReflectionQuality::high);
    state.samplesBeforeWrap = 0;
}

}  // namespace

uint32_t spatialiserStateSize() {
    return sizeof(SpatialiserState);
}

void spatialiserUpdate(float azimuth, float azimuthSpeed, float azimuthDepth, float waveform,
                       float elevation, float elevationSpeed, float elevationDepth, float distance,
                       float stereoField, float quality, float reflectionPattern,
                       SpatialiserState* state) {
    SpatialiserState& s = *state;
    const bool first = s.ready == 0;
    const float rate = sampleRateOf(s);
    const bool rateChanged = first || rate != s.appliedSampleRate;
    if (rateChanged) applySampleRate(rate, s);

    azimuth = limited(azimuth, -1.0f, 1.0f, 0.0f);
    azimuthSpeed = unit(azimuthSpeed);
    azimuthDepth = unit(azimuthDepth);
    waveform = limited(waveform, 0.0f, 2.0f, 0.0f);
    elevation = unit(elevation);
    elevationSpeed = unit(elevationSpeed);
    elevationDepth = unit(elevationDepth);
    distance = unit(distance);
    stereoField = unit(stereoField);
    quality = unit(quality);
    reflectionPattern = unit(reflectionPattern);

    s.waveform = waveform;
    s.stereoField = stereoField;
    s.azimuthSpeed = azimuthSpeed;
    s.elevationSpeed = elevationSpeed;
    s.azimuthDepth = azimuthSpeed != 0.0f ? azimuthDepth : 0.0f;
    s.elevationDepth = elevationSpeed != 0.0f ? elevationDepth : 0.0f;
    s.azimuthTarget = azimuth;
    s.elevationTarget = elevation;
    s.distance = distance;
    // The render loop reads these per sample; they change only with the settings. The speed is
    // widened to double so that the increment rounds once.
    s.azimuthIncrement = static_cast<float>(azimuthSpeed * s.phasePerHz);
    s.elevationIncrement = static_cast<float>(elevationSpeed * s.phasePerHz);
    s.itdSpan = itdSpanFor(distance, s);
    s.distanceWeight = distance * 0.7f;

    // A stopped or flat oscillator restarts from phase 0.
    if (s.azimuthDepth == 0.0f) s.azimuthPhase = 0.0f;
    if (s.elevationDepth == 0.0f) s.elevationPhase = 0.0f;

    if (rateChanged || quality != s.quality || reflectionPattern != s.reflectionPattern) {
        reinitialise(azimuth, elevation, distance, quality, reflectionPattern, s);
    }
    if (first) {
        buildTables(s);
        s.instructionSet = static_cast<int32_t>(fastestInstructionSet());
    }
    s.ready = 1;
}

void spatialiserSetSampleRate(float sampleRate, SpatialiserState* state) {
    if (std::isfinite(sampleRate) && sampleRate > 0.0f) {
        state->sampleRate = std::clamp(sampleRate, kLowestSampleRate, kHighestSampleRate);
    }
}
