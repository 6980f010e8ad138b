// The reflection network: two circular buffers (indices 0..N) into which the negated direct
// samples are written, read back at fixed taps and coupled between left and right. The block
// works on a copy of the pointers held in locals and stores it back at the end.
#pragma once

#include <cstdint>

#include "dsp/spatialiser_state.h"

// The low-quality network moves only the taps it reads.
constexpr int kLowQualityTaps[4] = {kTap900, kTap3700, kTap8280, kTap12420};

struct ReflectionNetwork {
    float* left;
    float* right;
    int32_t last;  // N
    int32_t writeIndex;
    int32_t tap[kTapCount];
    // Weights that depend only on the settings, fixed for a block.
    float tailWeight;   // 0.5 * t
    float nearWeight;   // h
    float level;        // g
    float strongCoupling;  // 0.37 * c
    float weakCoupling;    // 0.17 * c
};

enum class ReflectionQuality { low, high };

inline ReflectionNetwork startReflections(SpatialiserState& state, ReflectionQuality quality) {
    ReflectionNetwork net;
    net.left = state.reflectionBuffer[0];
    net.right = state.reflectionBuffer[1];
    net.last = state.cycleLength;
    net.writeIndex = state.writeIndex;
    for (int i = 0; i < kTapCount; ++i) net.tap[i] = state.tapIndex[i];

    const float w = state.distanceWeight;
    const float t = w < 0.5f ? 2.0f * w : 1.0f;
    net.tailWeight = 0.5f * t;
    net.nearWeight = w < 0.5f ? 1.0f : 2.0f * (1.0f - w);
    net.level = ((1.0f - w) + 1.0f) * 0.5f;
    float coupling = state.roomScale + 0.75f;
    if (coupling > 1.35f) coupling = 1.35f;
    // The high-quality network couples in proportion to the pattern; the low-quality one feels
    // the pattern only through the room scale.
    if (quality == ReflectionQuality::high) coupling = coupling * state.reflectionPattern;
    net.strongCoupling = 0.37f * coupling;
    net.weakCoupling = 0.17f * coupling;
    return net;
}

inline void storeReflections(const ReflectionNetwork& net, SpatialiserState& state) {
    state.writeIndex = net.writeIndex;
    for (int i = 0; i < kTapCount; ++i) state.tapIndex[i] = net.tap[i];
}

// Moves B toward A's buffer: A loses k * B, then B gains k * the new A.
inline void couple(float& a, float& b, float k) {
    a = a - b * k;
    b = b + a * k;
}

inline int32_t advance(int32_t index, int32_t last) {
    return index == last ? 0 : index + 1;
}

// One sample of the network on the delayed direct samples; e is the elevation 0..1.
template <ReflectionQuality quality>
inline void reflect(float delayedLeft, float delayedRight, float e, ReflectionNetwork& net,
                    float& outLeft, float& outRight) {
    float* const left = net.left;
    float* const right = net.right;
    const int32_t* const tap = net.tap;

    // From elevation 0.5 on the difference taps have full weight and the direct sound fades out.
    const float differenceWeight = e < 0.5f ? 2.0f * e : 1.0f;
    const float directWeight = e < 0.5f ? 1.0f : 2.0f * (1.0f - e);

    // Every tap is read before anything is written.
    const float lb = left[tap[kTap900]] * 0.17f;
    const float la = left[tap[kTap3700]] * 0.22f;
    const float lc = left[tap[kTap8280]] * 0.27f;
    const float ld = left[tap[kTap12420]] * 0.33f;
    const float rb = right[tap[kTap900]] * 0.17f;
    const float ra = right[tap[kTap3700]] * 0.22f;
    const float rc = right[tap[kTap8280]] * 0.27f;
    const float rd = right[tap[kTap12420]] * 0.33f;
    const float leftDifference = lb - la + lc - ld;
    const float rightDifference = ra - rb - rc + rd;
    float leftSum;
    float rightSum;
    if constexpr (quality == ReflectionQuality::low) {
        leftSum = lb + la + lc + ld;
        rightSum = rb + ra + rc + rd;
    } else {
        leftSum = left[tap[kTap1245]] * 0.17f + left[tap[kTap4580]] * 0.22f +
                  left[tap[kTap8970]] * 0.27f + left[tap[kTap10254]] * 0.33f;
        rightSum = right[tap[kTap1245]] * 0.17f + right[tap[kTap4580]] * 0.22f +
                   right[tap[kTap8970]] * 0.27f + right[tap[kTap10254]] * 0.33f;
    }

    const float halfDifferenceWeight = 0.5f * differenceWeight;
    outLeft = (net.nearWeight * (directWeight * delayedLeft + halfDifferenceWeight * leftDifference) +
               net.tailWeight * leftSum) *
              net.level;
    outRight = (net.nearWeight * (directWeight * delayedRight + halfDifferenceWeight * rightDifference) +
                net.tailWeight * rightSum) *
               net.level;

    left[net.writeIndex] = -delayedLeft;
    right[net.writeIndex] = -delayedRight;

    const float strong = net.strongCoupling;
    const float weak = net.weakCoupling;
    const int32_t last = net.last;
    if constexpr (quality == ReflectionQuality::low) {
        couple(left[tap[kTap12420]], right[tap[kTap900]], strong);
        couple(right[tap[kTap8280]], left[tap[kTap3700]], weak);
        for (const int slot : kLowQualityTaps) net.tap[slot] = advance(net.tap[slot], last);
    } else {
        couple(left[tap[kTap13100]], right[tap[kTap1]], strong);
        couple(right[tap[kTap13364]], left[tap[kTap2]], strong);
        couple(left[tap[kTap2623]], right[tap[kTap2564]], weak);
        couple(right[tap[kTap2699]], left[tap[kTap2265]], weak);
        couple(left[tap[kTap6254]], right[tap[kTap6120]], weak);
        couple(right[tap[kTap6454]], left[tap[kTap5987]], weak);
        couple(left[tap[kTap10645]], right[tap[kTap10221]], weak);
        couple(right[tap[kTap10987]], left[tap[kTap10110]], weak);
        for (int slot = 0; slot < kTapCount; ++slot) net.tap[slot] = advance(net.tap[slot], last);
    }
    net.writeIndex = advance(net.writeIndex, last);
}
