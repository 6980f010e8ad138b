// The reflection network: two circular buffers (indices 0..N) into which the negated direct
// samples are written, read back at fixed taps and coupled between left and right.
//
// All pointers advance together, so a stretch of samples in which none of them wraps touches
// consecutive slots: there the network runs four samples at once, in vectors across time, when
// the tap geometry lets the reordered accesses see the same values (see fourSamplesAtOnce).
#pragma once

#include <emmintrin.h>

#include <cstdint>

#include "dsp/spatialiser_state.h"

enum class ReflectionQuality { low, high };

enum Side { kLeftSide, kRightSide };

// One coupling: the slot at `reduced` in one buffer loses k times the slot at `increased` in
// the other, which then gains k times the new value.
struct Coupling {
    Side reducedSide;
    TapSlot reduced;
    TapSlot increased;
    bool strong;  // 0.37 * c, else 0.17 * c
};

constexpr TapSlot kDifferenceTaps[4] = {kTap900, kTap3700, kTap8280, kTap12420};

template <ReflectionQuality>
struct Variant;

template <>
struct Variant<ReflectionQuality::low> {
    static constexpr TapSlot sumTaps[4] = {kTap900, kTap3700, kTap8280, kTap12420};
    static constexpr Coupling couplings[2] = {{kLeftSide, kTap12420, kTap900, true},
                                              {kRightSide, kTap8280, kTap3700, false}};
    // The low-quality network moves only the taps it reads: slots 16..19, the fifth group of four.
    static constexpr int movingGroups[2] = {kTap900 / 4, kTap900 / 4 + 1};
    static_assert(kTap900 % 4 == 0 && kTap3700 == kTap900 + 1 && kTap8280 == kTap900 + 2 && kTap12420 == kTap900 + 3);
};

template <>
struct Variant<ReflectionQuality::high> {
    static constexpr TapSlot sumTaps[4] = {kTap1245, kTap4580, kTap8970, kTap10254};
    static constexpr Coupling couplings[8] = {
        {kLeftSide, kTap13100, kTap1, true},       {kRightSide, kTap13364, kTap2, true},
        {kLeftSide, kTap2623, kTap2564, false},    {kRightSide, kTap2699, kTap2265, false},
        {kLeftSide, kTap6254, kTap6120, false},    {kRightSide, kTap6454, kTap5987, false},
        {kLeftSide, kTap10645, kTap10221, false},  {kRightSide, kTap10987, kTap10110, false},
    };
    static constexpr int movingGroups[2] = {0, kTapCount / 4};  // all 24
};

// True when four consecutive samples may run as one: every tap read first, then each coupling,
// then the write, each for all four samples. Set at every re-initialisation.
bool fourSamplesAtOnce(const SpatialiserState& state, ReflectionQuality quality);

// The block's working copy of the network.
struct ReflectionNetwork {
    float* buffer[2];  // left, right
    int32_t last;      // N
    int32_t writeIndex;
    int32_t* tap;  // the state's tap pointers, moved in place in groups of four
    // The pointers move only when a stretch without wraps ends, which may span several runs and
    // calls.
    int32_t moved;      // samples run since the pointers last moved
    int32_t untilWrap;  // samples left in the stretch; 0: move the pointers and measure the next one
    // Weights that depend only on the settings.
    float tailWeight;  // 0.5 * t
    float nearWeight;  // h
    float level;       // g
    float coupling[2];  // weak (0.17 * c), strong (0.37 * c)
    bool vectorised;
};

inline ReflectionNetwork startReflections(SpatialiserState& state, ReflectionQuality quality) {
    ReflectionNetwork net;
    net.buffer[kLeftSide] = state.reflectionBuffer[kLeftSide];
    net.buffer[kRightSide] = state.reflectionBuffer[kRightSide];
    net.last = state.cycleLength;
    net.writeIndex = state.writeIndex;
    net.tap = state.tapIndex;
    net.moved = 0;
    net.untilWrap = state.samplesBeforeWrap;

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
    net.coupling[0] = 0.17f * coupling;
    net.coupling[1] = 0.37f * coupling;
    net.vectorised = state.fourSamplesAtOnce[quality == ReflectionQuality::high] != 0;
    return net;
}

// Moves every pointer of the variant `steps` positions on; a pointer past N starts again at 0.
template <ReflectionQuality quality>
inline void advance(ReflectionNetwork& net, int32_t steps) {
    const __m128i step = _mm_set1_epi32(steps);
    const __m128i last = _mm_set1_epi32(net.last);
    const __m128i cycle = _mm_set1_epi32(net.last + 1);
    constexpr const int* groups = Variant<quality>::movingGroups;
    for (int group = groups[0]; group < groups[1]; ++group) {
        __m128i* const taps = reinterpret_cast<__m128i*>(net.tap + 4 * group);
        const __m128i moved = _mm_add_epi32(_mm_loadu_si128(taps), step);
        _mm_storeu_si128(taps, _mm_sub_epi32(moved, _mm_and_si128(_mm_cmpgt_epi32(moved, last), cycle)));
    }
    net.writeIndex += steps;
    if (net.writeIndex > net.last) net.writeIndex -= net.last + 1;
}

// Moves the pointers past the samples run and keeps them in the state.
template <ReflectionQuality quality>
inline void storeReflections(ReflectionNetwork& net, SpatialiserState& state) {
    advance<quality>(net, net.moved);
    state.writeIndex = net.writeIndex;
    state.samplesBeforeWrap = net.untilWrap;
}

// Samples until the first pointer of the variant passes N.
template <ReflectionQuality quality>
inline int32_t samplesBeforeWrap(const ReflectionNetwork& net) {
    constexpr const int* groups = Variant<quality>::movingGroups;
    __m128i highest = _mm_set1_epi32(net.writeIndex);
    for (int group = groups[0]; group < groups[1]; ++group) {
        const __m128i taps = _mm_loadu_si128(reinterpret_cast<const __m128i*>(net.tap + 4 * group));
        const __m128i above = _mm_cmpgt_epi32(taps, highest);
        highest = _mm_or_si128(_mm_and_si128(above, taps), _mm_andnot_si128(above, highest));
    }
    alignas(16) int32_t lanes[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(lanes), highest);
    const int32_t highestPair[2] = {lanes[0] > lanes[1] ? lanes[0] : lanes[1], lanes[2] > lanes[3] ? lanes[2] : lanes[3]};
    return net.last + 1 - (highestPair[0] > highestPair[1] ? highestPair[0] : highestPair[1]);
}

// One sample, `offset` samples past the pointers, on the delayed direct samples; e is the
// elevation 0..1.
template <ReflectionQuality quality>
inline void reflectSample(float delayedLeft, float delayedRight, float e, const ReflectionNetwork& net,
                          int32_t offset, float& outLeft, float& outRight) {
    float* const left = net.buffer[kLeftSide] + offset;
    float* const right = net.buffer[kRightSide] + offset;
    float* const buffer[2] = {left, right};
    const int32_t* const tap = net.tap;

    // From elevation 0.5 on the difference taps have full weight and the direct sound fades out.
    const float halfDifferenceWeight = 0.5f * (e < 0.5f ? 2.0f * e : 1.0f);
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
    constexpr const TapSlot* sumTaps = Variant<quality>::sumTaps;
    const float leftSum = left[tap[sumTaps[0]]] * 0.17f + left[tap[sumTaps[1]]] * 0.22f +
                          left[tap[sumTaps[2]]] * 0.27f + left[tap[sumTaps[3]]] * 0.33f;
    const float rightSum = right[tap[sumTaps[0]]] * 0.17f + right[tap[sumTaps[1]]] * 0.22f +
                           right[tap[sumTaps[2]]] * 0.27f + right[tap[sumTaps[3]]] * 0.33f;

    outLeft = (net.nearWeight * (directWeight * delayedLeft + halfDifferenceWeight * leftDifference) +
               net.tailWeight * leftSum) *
              net.level;
    outRight = (net.nearWeight * (directWeight * delayedRight + halfDifferenceWeight * rightDifference) +
                net.tailWeight * rightSum) *
               net.level;

    left[net.writeIndex] = -delayedLeft;
    right[net.writeIndex] = -delayedRight;

    for (const Coupling& coupling : Variant<quality>::couplings) {
        float& reduced = buffer[coupling.reducedSide][tap[coupling.reduced]];
        float& increased = buffer[1 - coupling.reducedSide][tap[coupling.increased]];
        const float k = net.coupling[coupling.strong];
        reduced = reduced - increased * k;
        increased = increased + reduced * k;
    }
}

// Four samples at once, `offset` samples past the pointers; the same arithmetic as reflectSample
// in each lane.
template <ReflectionQuality quality>
inline void reflectFourSamples(const float* delayedLeft, const float* delayedRight, const float* elevation,
                               float* outLeft, float* outRight, const ReflectionNetwork& net, int32_t offset) {
    // The right buffer follows the left one, so one pointer per tap serves both.
    float* const left = net.buffer[kLeftSide] + offset;
    float* const right = left + kReflectionCapacity;
    const int32_t* const tap = net.tap;
    const __m128 one = _mm_set1_ps(1.0f);
    const __m128 two = _mm_set1_ps(2.0f);
    const __m128 w0 = _mm_set1_ps(0.17f), w1 = _mm_set1_ps(0.22f), w2 = _mm_set1_ps(0.27f), w3 = _mm_set1_ps(0.33f);

    // 2e < 1 exactly when e < 0.5, and 2 (1 - e) >= 1 then: each weight is the smaller of the two,
    // with the operands in the order that gives the scalar step's result for NaN too.
    const __m128 e = _mm_loadu_ps(elevation);
    const __m128 differenceWeight = _mm_min_ps(_mm_mul_ps(two, e), one);
    const __m128 halfDifferenceWeight = _mm_mul_ps(_mm_set1_ps(0.5f), differenceWeight);
    const __m128 directWeight = _mm_min_ps(one, _mm_mul_ps(two, _mm_sub_ps(one, e)));

    const __m128 lb = _mm_mul_ps(_mm_loadu_ps(left + tap[kTap900]), w0);
    const __m128 la = _mm_mul_ps(_mm_loadu_ps(left + tap[kTap3700]), w1);
    const __m128 lc = _mm_mul_ps(_mm_loadu_ps(left + tap[kTap8280]), w2);
    const __m128 ld = _mm_mul_ps(_mm_loadu_ps(left + tap[kTap12420]), w3);
    const __m128 rb = _mm_mul_ps(_mm_loadu_ps(right + tap[kTap900]), w0);
    const __m128 ra = _mm_mul_ps(_mm_loadu_ps(right + tap[kTap3700]), w1);
    const __m128 rc = _mm_mul_ps(_mm_loadu_ps(right + tap[kTap8280]), w2);
    const __m128 rd = _mm_mul_ps(_mm_loadu_ps(right + tap[kTap12420]), w3);
    const __m128 leftDifference = _mm_sub_ps(_mm_add_ps(_mm_sub_ps(lb, la), lc), ld);
    const __m128 rightDifference = _mm_add_ps(_mm_sub_ps(_mm_sub_ps(ra, rb), rc), rd);
    __m128 leftSum;
    __m128 rightSum;
    if constexpr (quality == ReflectionQuality::low) {
        leftSum = _mm_add_ps(_mm_add_ps(_mm_add_ps(lb, la), lc), ld);
        rightSum = _mm_add_ps(_mm_add_ps(_mm_add_ps(rb, ra), rc), rd);
    } else {
        constexpr const TapSlot* sumTaps = Variant<quality>::sumTaps;
        leftSum = _mm_add_ps(_mm_add_ps(_mm_add_ps(_mm_mul_ps(_mm_loadu_ps(left + tap[sumTaps[0]]), w0),
                                                   _mm_mul_ps(_mm_loadu_ps(left + tap[sumTaps[1]]), w1)),
                                        _mm_mul_ps(_mm_loadu_ps(left + tap[sumTaps[2]]), w2)),
                             _mm_mul_ps(_mm_loadu_ps(left + tap[sumTaps[3]]), w3));
        rightSum = _mm_add_ps(_mm_add_ps(_mm_add_ps(_mm_mul_ps(_mm_loadu_ps(right + tap[sumTaps[0]]), w0),
                                                    _mm_mul_ps(_mm_loadu_ps(right + tap[sumTaps[1]]), w1)),
                                         _mm_mul_ps(_mm_loadu_ps(right + tap[sumTaps[2]]), w2)),
                              _mm_mul_ps(_mm_loadu_ps(right + tap[sumTaps[3]]), w3));
    }

    const __m128 nearWeight = _mm_set1_ps(net.nearWeight);
    const __m128 tail = _mm_set1_ps(net.tailWeight);
    const __m128 level = _mm_set1_ps(net.level);
    const __m128 directLeft = _mm_loadu_ps(delayedLeft);
    const __m128 directRight = _mm_loadu_ps(delayedRight);
    _mm_storeu_ps(outLeft, _mm_mul_ps(_mm_add_ps(_mm_mul_ps(nearWeight, _mm_add_ps(_mm_mul_ps(directWeight, directLeft),
                                                                               _mm_mul_ps(halfDifferenceWeight, leftDifference))),
                                                 _mm_mul_ps(tail, leftSum)),
                                      level));
    _mm_storeu_ps(outRight, _mm_mul_ps(_mm_add_ps(_mm_mul_ps(nearWeight, _mm_add_ps(_mm_mul_ps(directWeight, directRight),
                                                                                _mm_mul_ps(halfDifferenceWeight, rightDifference))),
                                                  _mm_mul_ps(tail, rightSum)),
                                       level));

    for (const Coupling& coupling : Variant<quality>::couplings) {
        float* const reduced = (coupling.reducedSide == kLeftSide ? left : right) + tap[coupling.reduced];
        float* const increased = (coupling.reducedSide == kLeftSide ? right : left) + tap[coupling.increased];
        const __m128 k = _mm_set1_ps(net.coupling[coupling.strong]);
        const __m128 b = _mm_loadu_ps(increased);  // the two slots lie in different buffers
        const __m128 a = _mm_sub_ps(_mm_loadu_ps(reduced), _mm_mul_ps(b, k));
        _mm_storeu_ps(reduced, a);
        _mm_storeu_ps(increased, _mm_add_ps(b, _mm_mul_ps(a, k)));
    }

    // The write comes last: the slot it fills was coupled through taps 1 and 2 a sample earlier.
    const __m128 sign = _mm_set1_ps(-0.0f);
    _mm_storeu_ps(left + net.writeIndex, _mm_xor_ps(directLeft, sign));
    _mm_storeu_ps(right + net.writeIndex, _mm_xor_ps(directRight, sign));
}

// The network over a run of samples: in stretches where no pointer wraps, four samples at once
// where the geometry allows and one by one for the rest, all from pointers fixed for the stretch.
// A stretch goes on from one run to the next.
template <ReflectionQuality quality>
inline void reflectBlock(const float* delayedLeft, const float* delayedRight, const float* elevation,
                         float* outLeft, float* outRight, int32_t count, ReflectionNetwork& net) {
    int32_t done = 0;
    while (done < count) {
        if (net.untilWrap == 0) {
            advance<quality>(net, net.moved);
            net.moved = 0;
            net.untilWrap = samplesBeforeWrap<quality>(net);
        }
        const int32_t remaining = count - done;
        const int32_t run = net.untilWrap < remaining ? net.untilWrap : remaining;
        // A copy the buffer stores cannot reach, so pointers and weights stay in registers; its
        // buffers start where the run does. Of the taps only those the variant uses are copied.
        ReflectionNetwork fixed = net;
        fixed.buffer[kLeftSide] += net.moved;
        fixed.buffer[kRightSide] += net.moved;
        alignas(16) int32_t taps[kTapCount];
        constexpr const int* groups = Variant<quality>::movingGroups;
        for (int group = groups[0]; group < groups[1]; ++group) {
            _mm_store_si128(reinterpret_cast<__m128i*>(taps) + group,
                            _mm_loadu_si128(reinterpret_cast<const __m128i*>(net.tap + 4 * group)));
        }
        fixed.tap = taps;
        int32_t step = 0;
        if (fixed.vectorised) {
            for (; step + 4 <= run; step += 4) {
                const int32_t n = done + step;
                reflectFourSamples<quality>(delayedLeft + n, delayedRight + n, elevation + n, outLeft + n,
                                            outRight + n, fixed, step);
            }
        }
        for (; step < run; ++step) {
            const int32_t n = done + step;
            reflectSample<quality>(delayedLeft[n], delayedRight[n], elevation[n], fixed, step, outLeft[n], outRight[n]);
        }
        net.moved += run;
        net.untilWrap -= run;
        done += run;
    }
}
