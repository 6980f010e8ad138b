#include "dsp/tables.h"

#include <cmath>

#include "dsp/spatialiser_state.h"

namespace {

constexpr double kRadiansPerEntry = 0.0007669903939428206;  // 2 pi / 8192
constexpr float kRampStep = 0.000244140625f;                // 1 / 4096
constexpr float kPositionStep = 0.0001220703125f;           // 1 / 8192

// sin(x) for x in [0, 2 pi). Reflecting the argument into -pi/2..pi/2 first, with pi carried in
// two parts, gives every build the same floats: an x87 sine is far off near pi, where the result
// is tiny.
double sineOf(double x) {
    constexpr double kPiHigh = 3.141592653589793;
    constexpr double kPiLow = 1.2246467991473532e-16;  // pi - kPiHigh
    if (x <= kPiHigh / 2) return std::sin(x);
    if (x <= 3 * kPiHigh / 2) return std::sin((kPiHigh - x) + kPiLow);
    return -std::sin((2 * kPiHigh - x) + 2 * kPiLow);
}

void buildWaveTables(SpatialiserState& state) {
    for (int i = 0; i < kTableEntries; ++i) {
        state.sineTable[i] = static_cast<float>(sineOf(i * kRadiansPerEntry));
        const float ramp = i < kTableEntries / 2
                               ? static_cast<float>(i) * kRampStep
                               : static_cast<float>(i - kTableEntries / 2) * kRampStep - 1.0f;
        state.rampTable[i] = ramp;
        state.invertedRampTable[i] = 1.0f - ramp;
    }
}

void buildPositionTables(SpatialiserState& state) {
    // Both ends, x = -1 and x = +1, hold the weights for directly behind.
    for (int i = 0; i <= kTableEntries; ++i) {
        const PositionWeights weights = positionMap(static_cast<float>(i) * kPositionStep * 2.0f - 1.0f);
        state.rearTable[i] = weights.rear;
        state.lateralTable[i] = weights.lateral;
        state.frontTable[i] = weights.front;
    }
}

}  // namespace

PositionWeights positionMap(float x) {
    const float magnitude = std::fabs(x);
    const float sign = x < 0.0f ? -1.0f : 1.0f;
    PositionWeights weights;
    weights.front = 1.0f - magnitude;
    if (magnitude < 0.4f) {
        weights.rear = 0.0f;
        weights.lateral = 2.0f * x;
    } else if (magnitude < 0.6f) {
        weights.rear = (2.0f * magnitude - 0.8f) * 2.5f;
        weights.lateral = sign * 0.8f;
    } else {
        weights.rear = 1.0f;
        weights.lateral = sign * (2.0f - 2.0f * magnitude);
    }
    return weights;
}

void buildTables(SpatialiserState& state) {
    buildWaveTables(state);
    buildPositionTables(state);
}
