// The direct path: seven lateral bands, rear colouring, elevation cut, cross-cancellation,
// elevation gain and interaural delay. Steps with feedback run sample by sample (the seven band
// sections side by side in the lanes of two vectors, the four cut sections in one); the others
// run four samples at once, eight in the AVX2 build. Every lane does exactly the single-precision
// arithmetic of the scalar step, in the same order. It is all inline: the render loop compiles it
// once for each instruction set it dispatches to.
#pragma once

#include <immintrin.h>

#include <algorithm>
#include <cstdint>

#include "dsp/oscillators.h"
#include "dsp/sections.h"
#include "dsp/spatialiser_state.h"
#include "dsp/sub_block.h"

// The block's working copy of the direct path. The bands and the cut run in the render loop beside
// the oscillators (stepBands, stepCut), so that the recursions overlap.
struct DirectPath {
    BandSections bands;
    // Lateral weight of each band per channel, in four lanes; both are the same in the full
    // stereo field.
    const float (*leftWeight)[4];
    const float (*rightWeight)[4];
    CutSections cut;
    bool fullField;
    float itdSpan;
    float* itdLine[2];
    int32_t itdWriteIndex[2];
    int32_t itdLength[2];
};

namespace direct_path_detail {

// Lateral weight of each band: both channels in the full stereo field, else per channel.
inline constexpr float kFullFieldWeights[kBandCount] = {1.5f, 1.5f, 3.166665f, 1.5f, 1.5f, 1.95f, 2.25f};
inline constexpr float kLeftWeights[kBandCount] = {0.375f, 0.5625f, 0.75f, 1.125f, 1.5f, 1.95f, 2.25f};
inline constexpr float kRightWeights[kBandCount] = {0.375f, 0.5625f, 0.5625f, 1.125f, 1.5f, 1.95f, 2.25f};

// A row of weights with each one repeated in the four lanes of a vector.
struct WeightLanes {
    alignas(16) float lanes[kBandCount][4];
};

constexpr WeightLanes lanesOf(const float (&weights)[kBandCount]) {
    WeightLanes result{};
    for (int band = 0; band < kBandCount; ++band) {
        for (float& lane : result.lanes[band]) lane = weights[band];
    }
    return result;
}

inline constexpr WeightLanes kFullFieldLanes = lanesOf(kFullFieldWeights);
inline constexpr WeightLanes kLeftLanes = lanesOf(kLeftWeights);
inline constexpr WeightLanes kRightLanes = lanesOf(kRightWeights);

// The z1 and z2 of four sections whose state pairs (z1, z2) lie at pairs[0..3]; a section past
// `count` reads as zero.
inline void loadStatePairs(const float (*pairs)[2], int count, __m128& z1, __m128& z2) {
    const __m128 first = _mm_loadu_ps(pairs[0]);
    const __m128 second = count > 3 ? _mm_loadu_ps(pairs[2])
                                    : _mm_loadl_pi(_mm_setzero_ps(), reinterpret_cast<const __m64*>(pairs[2]));
    z1 = _mm_shuffle_ps(first, second, _MM_SHUFFLE(2, 0, 2, 0));
    z2 = _mm_shuffle_ps(first, second, _MM_SHUFFLE(3, 1, 3, 1));
}

inline void storeStatePairs(__m128 z1, __m128 z2, float (*pairs)[2], int count) {
    _mm_storeu_ps(pairs[0], _mm_unpacklo_ps(z1, z2));
    const __m128 second = _mm_unpackhi_ps(z1, z2);
    if (count > 3) {
        _mm_storeu_ps(pairs[2], second);
    } else {
        _mm_storel_pi(reinterpret_cast<__m64*>(pairs[2]), second);
    }
}

inline int bandsIn(int half) {
    return half == 0 ? 4 : kBandCount - 4;
}

// True when values[0..count-1] all equal `value`; four at a time.
inline bool allEqual(const int32_t* values, int32_t count, int32_t value) {
    const __m128i wanted = _mm_set1_epi32(value);
    __m128i equal = _mm_set1_epi32(-1);
    int32_t n = 0;
    for (; n + 4 <= count; n += 4) {
        equal = _mm_and_si128(equal, _mm_cmpeq_epi32(_mm_load_si128(reinterpret_cast<const __m128i*>(values + n)), wanted));
    }
    if (_mm_movemask_epi8(equal) != 0xFFFF) return false;
    return std::all_of(values + n, values + count, [value](int32_t v) { return v == value; });
}

// A line of length n delays by n + 1 samples; it grows by one sample per sample toward its
// target and shrinks to it at once.
inline float delay(float* line, float sample, int32_t target, int32_t& writeIndex, int32_t& length) {
    const float delayed = line[writeIndex];
    line[writeIndex] = sample;
    ++writeIndex;
    if (target > length) {
        line[length + 1] = line[length];
        ++length;
    } else {
        length = target;
    }
    if (writeIndex > length) writeIndex = 0;
    return delayed;
}

// Lateral weighting, and rear colouring in the full stereo field, of samples n..n+3.
inline void weighFour(const DirectPath& path, SubBlock& block, int32_t n) {
    const __m128 sign = _mm_set1_ps(-0.0f);
    // Band j of samples n..n+3 in band[j].
    __m128 band[8];
    for (int half = 0; half < 2; ++half) {
        __m128 r0 = _mm_load_ps(block.bands[n] + 4 * half), r1 = _mm_load_ps(block.bands[n + 1] + 4 * half);
        __m128 r2 = _mm_load_ps(block.bands[n + 2] + 4 * half), r3 = _mm_load_ps(block.bands[n + 3] + 4 * half);
        _MM_TRANSPOSE4_PS(r0, r1, r2, r3);
        band[4 * half] = r0;
        band[4 * half + 1] = r1;
        band[4 * half + 2] = r2;
        band[4 * half + 3] = r3;
    }

    // Lateral weighting: band j contributes band_j * p * weight_j, summed in band order;
    // L = x - left sum, R = x + right sum.
    const __m128 p = _mm_mul_ps(_mm_load_ps(block.lateralWeight + n), _mm_set1_ps(0.7f));
    const __m128 away = _mm_sub_ps(_mm_set1_ps(1.0f), _mm_load_ps(block.front + n));
    _mm_store_ps(block.lateral + n, p);
    _mm_store_ps(block.away + n, away);
    _mm_store_ps(block.elevation + n, limitElevation(_mm_load_ps(block.elevation + n)));
    __m128 scaled = _mm_mul_ps(band[0], p);
    __m128 leftSum = _mm_mul_ps(scaled, _mm_load_ps(path.leftWeight[0]));
    for (int j = 1; j < kBandCount; ++j) {
        scaled = _mm_mul_ps(band[j], p);
        leftSum = _mm_add_ps(leftSum, _mm_mul_ps(scaled, _mm_load_ps(path.leftWeight[j])));
    }
    __m128 rightSum = leftSum;  // the full stereo field weighs both channels alike
    if (!path.fullField) {
        rightSum = _mm_mul_ps(_mm_mul_ps(band[0], p), _mm_load_ps(path.rightWeight[0]));
        for (int j = 1; j < kBandCount; ++j) {
            rightSum = _mm_add_ps(rightSum, _mm_mul_ps(_mm_mul_ps(band[j], p), _mm_load_ps(path.rightWeight[j])));
        }
    }
    const __m128 x = _mm_load_ps(block.x + n);
    __m128 left = _mm_sub_ps(x, leftSum);
    __m128 right = _mm_add_ps(x, rightSum);

    if (path.fullField) {
        // Rear colouring.
        const __m128 one = _mm_set1_ps(1.0f);
        const __m128 r = _mm_add_ps(_mm_mul_ps(_mm_load_ps(block.rear + n), _mm_set1_ps(1.5f)), _mm_set1_ps(0.5f));
        __m128 q = _mm_min_ps(_mm_mul_ps(away, _mm_set1_ps(0.65f)), _mm_set1_ps(0.6f));
        // Within 0.05 of the back the colouring fades out and the gain rises to 1.7; elsewhere
        // the fade is 0 and q * (1 - 0) is q.
        const __m128 azimuth = _mm_load_ps(block.azimuth + n);
        const __m128 back = _mm_andnot_ps(sign, azimuth);
        const __m128 nearBack = _mm_cmpgt_ps(back, _mm_set1_ps(0.95f));
        const __m128 fade = _mm_and_ps(nearBack, _mm_mul_ps(_mm_sub_ps(back, _mm_set1_ps(0.95f)), _mm_set1_ps(20.0f)));
        q = _mm_mul_ps(q, _mm_sub_ps(one, fade));
        const __m128 u1 = _mm_mul_ps(_mm_mul_ps(_mm_mul_ps(band[0], q), _mm_set1_ps(0.75f)), r);
        const __m128 u3 = _mm_mul_ps(_mm_mul_ps(_mm_mul_ps(band[2], q), _mm_set1_ps(1.5f)), r);
        const __m128 u4 = _mm_mul_ps(_mm_mul_ps(_mm_mul_ps(band[3], q), _mm_set1_ps(1.5f)), r);
        // With the source on the right u1 and u4 leave the left channel and u3 joins it; the
        // right channel takes the opposite signs. Subtracting is adding the negation.
        const __m128 leftSigns = _mm_and_ps(_mm_cmpgt_ps(azimuth, _mm_setzero_ps()), sign);
        const __m128 rightSigns = _mm_xor_ps(leftSigns, sign);
        left = _mm_add_ps(left, _mm_xor_ps(u1, leftSigns));
        left = _mm_add_ps(left, _mm_xor_ps(u3, rightSigns));
        left = _mm_add_ps(left, _mm_xor_ps(u4, leftSigns));
        right = _mm_add_ps(right, _mm_xor_ps(u1, rightSigns));
        right = _mm_add_ps(right, _mm_xor_ps(u3, leftSigns));
        right = _mm_add_ps(right, _mm_xor_ps(u4, rightSigns));
        const __m128 gain = _mm_add_ps(_mm_set1_ps(0.7f), fade);
        left = _mm_mul_ps(left, gain);
        right = _mm_mul_ps(right, gain);
    }
    _mm_store_ps(block.channels[n], _mm_unpacklo_ps(left, right));
    _mm_store_ps(block.channels[n + 2], _mm_unpackhi_ps(left, right));
}

// Four weight lanes in both halves of a wide vector.
SPATIALISER_AVX2 inline __m256 weight(const float* lanes) {
    return _mm256_broadcast_ps(reinterpret_cast<const __m128*>(lanes));
}

// weighFour for samples n..n+7 in the AVX2 build: the same arithmetic in each lane.
SPATIALISER_AVX2 inline void weighEight(const DirectPath& path, SubBlock& block, int32_t n) {
    const __m256 sign = _mm256_set1_ps(-0.0f);
    // Band j of samples n..n+7 in band[j]: an 8 by 8 transpose of the rows of bands[n..n+7].
    __m256 row[8];
    for (int i = 0; i < 8; ++i) row[i] = _mm256_loadu_ps(block.bands[n + i]);
    __m256 pairs[8];
    for (int i = 0; i < 8; i += 2) {
        pairs[i] = _mm256_unpacklo_ps(row[i], row[i + 1]);
        pairs[i + 1] = _mm256_unpackhi_ps(row[i], row[i + 1]);
    }
    __m256 quads[8];
    for (int i = 0; i < 8; i += 4) {
        quads[i] = _mm256_shuffle_ps(pairs[i], pairs[i + 2], _MM_SHUFFLE(1, 0, 1, 0));
        quads[i + 1] = _mm256_shuffle_ps(pairs[i], pairs[i + 2], _MM_SHUFFLE(3, 2, 3, 2));
        quads[i + 2] = _mm256_shuffle_ps(pairs[i + 1], pairs[i + 3], _MM_SHUFFLE(1, 0, 1, 0));
        quads[i + 3] = _mm256_shuffle_ps(pairs[i + 1], pairs[i + 3], _MM_SHUFFLE(3, 2, 3, 2));
    }
    __m256 band[kBandCount];
    for (int j = 0; j < 4; ++j) band[j] = _mm256_permute2f128_ps(quads[j], quads[j + 4], 0x20);
    for (int j = 4; j < kBandCount; ++j) band[j] = _mm256_permute2f128_ps(quads[j - 4], quads[j], 0x31);

    const __m256 p = _mm256_mul_ps(_mm256_loadu_ps(block.lateralWeight + n), _mm256_set1_ps(0.7f));
    const __m256 away = _mm256_sub_ps(_mm256_set1_ps(1.0f), _mm256_loadu_ps(block.front + n));
    _mm256_storeu_ps(block.lateral + n, p);
    _mm256_storeu_ps(block.away + n, away);
    // limitElevation's operand order.
    _mm256_storeu_ps(block.elevation + n, _mm256_max_ps(_mm256_setzero_ps(),
                                                        _mm256_min_ps(_mm256_set1_ps(1.0f), _mm256_loadu_ps(block.elevation + n))));
    __m256 scaled = _mm256_mul_ps(band[0], p);
    __m256 leftSum = _mm256_mul_ps(scaled, weight(path.leftWeight[0]));
    for (int j = 1; j < kBandCount; ++j) {
        scaled = _mm256_mul_ps(band[j], p);
        leftSum = _mm256_add_ps(leftSum, _mm256_mul_ps(scaled, weight(path.leftWeight[j])));
    }
    __m256 rightSum = leftSum;
    if (!path.fullField) {
        rightSum = _mm256_mul_ps(_mm256_mul_ps(band[0], p), weight(path.rightWeight[0]));
        for (int j = 1; j < kBandCount; ++j) {
            rightSum = _mm256_add_ps(rightSum, _mm256_mul_ps(_mm256_mul_ps(band[j], p), weight(path.rightWeight[j])));
        }
    }
    const __m256 x = _mm256_loadu_ps(block.x + n);
    __m256 left = _mm256_sub_ps(x, leftSum);
    __m256 right = _mm256_add_ps(x, rightSum);

    if (path.fullField) {
        const __m256 one = _mm256_set1_ps(1.0f);
        const __m256 r = _mm256_add_ps(_mm256_mul_ps(_mm256_loadu_ps(block.rear + n), _mm256_set1_ps(1.5f)), _mm256_set1_ps(0.5f));
        __m256 q = _mm256_min_ps(_mm256_mul_ps(away, _mm256_set1_ps(0.65f)), _mm256_set1_ps(0.6f));
        const __m256 azimuth = _mm256_loadu_ps(block.azimuth + n);
        const __m256 back = _mm256_andnot_ps(sign, azimuth);
        const __m256 nearBack = _mm256_cmp_ps(back, _mm256_set1_ps(0.95f), _CMP_GT_OS);
        const __m256 fade =
            _mm256_and_ps(nearBack, _mm256_mul_ps(_mm256_sub_ps(back, _mm256_set1_ps(0.95f)), _mm256_set1_ps(20.0f)));
        q = _mm256_mul_ps(q, _mm256_sub_ps(one, fade));
        const __m256 u1 = _mm256_mul_ps(_mm256_mul_ps(_mm256_mul_ps(band[0], q), _mm256_set1_ps(0.75f)), r);
        const __m256 u3 = _mm256_mul_ps(_mm256_mul_ps(_mm256_mul_ps(band[2], q), _mm256_set1_ps(1.5f)), r);
        const __m256 u4 = _mm256_mul_ps(_mm256_mul_ps(_mm256_mul_ps(band[3], q), _mm256_set1_ps(1.5f)), r);
        const __m256 leftSigns = _mm256_and_ps(_mm256_cmp_ps(azimuth, _mm256_setzero_ps(), _CMP_GT_OS), sign);
        const __m256 rightSigns = _mm256_xor_ps(leftSigns, sign);
        left = _mm256_add_ps(left, _mm256_xor_ps(u1, leftSigns));
        left = _mm256_add_ps(left, _mm256_xor_ps(u3, rightSigns));
        left = _mm256_add_ps(left, _mm256_xor_ps(u4, leftSigns));
        right = _mm256_add_ps(right, _mm256_xor_ps(u1, rightSigns));
        right = _mm256_add_ps(right, _mm256_xor_ps(u3, leftSigns));
        right = _mm256_add_ps(right, _mm256_xor_ps(u4, rightSigns));
        const __m256 gain = _mm256_add_ps(_mm256_set1_ps(0.7f), fade);
        left = _mm256_mul_ps(left, gain);
        right = _mm256_mul_ps(right, gain);
    }
    // [L0 R0 L1 R1 | L4 R4 L5 R5] and [L2 R2 L3 R3 | L6 R6 L7 R7] back into sample order.
    const __m256 low = _mm256_unpacklo_ps(left, right);
    const __m256 high = _mm256_unpackhi_ps(left, right);
    _mm256_storeu_ps(block.channels[n], _mm256_permute2f128_ps(low, high, 0x20));
    _mm256_storeu_ps(block.channels[n + 4], _mm256_permute2f128_ps(low, high, 0x31));
}

// Elevation cut, cross-cancellation, elevation gain and the interaural targets of samples n..n+3.
inline void mixFour(const DirectPath& path, SubBlock& block, int32_t n) {
    __m128 leftA = _mm_load_ps(block.cut[n]), rightA = _mm_load_ps(block.cut[n + 1]);
    __m128 leftB = _mm_load_ps(block.cut[n + 2]), rightB = _mm_load_ps(block.cut[n + 3]);
    _MM_TRANSPOSE4_PS(leftA, rightA, leftB, rightB);
    const __m128 pairs01 = _mm_load_ps(block.channels[n]);
    const __m128 pairs23 = _mm_load_ps(block.channels[n + 2]);
    __m128 left = _mm_shuffle_ps(pairs01, pairs23, _MM_SHUFFLE(2, 0, 2, 0));
    __m128 right = _mm_shuffle_ps(pairs01, pairs23, _MM_SHUFFLE(3, 1, 3, 1));

    // Elevation cut.
    const __m128 e = _mm_load_ps(block.elevation + n);
    const __m128 cut = _mm_mul_ps(_mm_set1_ps(6.0f), e);
    left = _mm_sub_ps(left, _mm_mul_ps(cut, leftA));
    left = _mm_sub_ps(left, _mm_mul_ps(cut, leftB));
    right = _mm_sub_ps(right, _mm_mul_ps(cut, rightA));
    right = _mm_sub_ps(right, _mm_mul_ps(cut, rightB));

    // Cross-cancellation, both channels from the same old values; then the elevation gain.
    const __m128 away = _mm_load_ps(block.away + n);
    const __m128 cancel = _mm_mul_ps(away, _mm_set1_ps(0.7f));
    const __m128 cancelledRight = _mm_sub_ps(right, _mm_mul_ps(cancel, left));
    const __m128 cancelledLeft = _mm_sub_ps(left, _mm_mul_ps(cancel, right));
    const __m128 lift = _mm_sub_ps(_mm_set1_ps(1.0f), _mm_mul_ps(_mm_set1_ps(0.5f), e));
    _mm_store_ps(block.toDelay[0] + n, _mm_mul_ps(lift, cancelledLeft));
    _mm_store_ps(block.toDelay[1] + n, _mm_mul_ps(lift, cancelledRight));

    // Interaural delay of the far ear: 0 at the front, up to itdSpan samples behind.
    const __m128i itd = _mm_cvttps_epi32(_mm_mul_ps(away, _mm_set1_ps(path.itdSpan)));
    const __m128i onLeft = _mm_castps_si128(_mm_cmplt_ps(_mm_load_ps(block.lateral + n), _mm_setzero_ps()));
    _mm_store_si128(reinterpret_cast<__m128i*>(block.itdTarget[0] + n), _mm_andnot_si128(onLeft, itd));
    _mm_store_si128(reinterpret_cast<__m128i*>(block.itdTarget[1] + n), _mm_and_si128(onLeft, itd));
}

// mixFour for samples n..n+7 in the AVX2 build: the same arithmetic in each lane.
SPATIALISER_AVX2 inline void mixEight(const DirectPath& path, SubBlock& block, int32_t n) {
    // Rows n+i and n+4+i side by side, so that the transpose within each half gives samples
    // n..n+3 in the low half and n+4..n+7 in the high one.
    const auto rows = [&block, n](int i) SPATIALISER_AVX2 {
        return _mm256_set_m128(_mm_load_ps(block.cut[n + 4 + i]), _mm_load_ps(block.cut[n + i]));
    };
    __m256 r0 = rows(0), r1 = rows(1), r2 = rows(2), r3 = rows(3);
    const __m256 t0 = _mm256_unpacklo_ps(r0, r1), t1 = _mm256_unpacklo_ps(r2, r3);
    const __m256 t2 = _mm256_unpackhi_ps(r0, r1), t3 = _mm256_unpackhi_ps(r2, r3);
    const __m256 leftA = _mm256_shuffle_ps(t0, t1, _MM_SHUFFLE(1, 0, 1, 0));
    const __m256 rightA = _mm256_shuffle_ps(t0, t1, _MM_SHUFFLE(3, 2, 3, 2));
    const __m256 leftB = _mm256_shuffle_ps(t2, t3, _MM_SHUFFLE(1, 0, 1, 0));
    const __m256 rightB = _mm256_shuffle_ps(t2, t3, _MM_SHUFFLE(3, 2, 3, 2));
    const __m256 pairs01 = _mm256_set_m128(_mm_load_ps(block.channels[n + 4]), _mm_load_ps(block.channels[n]));
    const __m256 pairs23 = _mm256_set_m128(_mm_load_ps(block.channels[n + 6]), _mm_load_ps(block.channels[n + 2]));
    __m256 left = _mm256_shuffle_ps(pairs01, pairs23, _MM_SHUFFLE(2, 0, 2, 0));
    __m256 right = _mm256_shuffle_ps(pairs01, pairs23, _MM_SHUFFLE(3, 1, 3, 1));

    const __m256 e = _mm256_loadu_ps(block.elevation + n);
    const __m256 cut = _mm256_mul_ps(_mm256_set1_ps(6.0f), e);
    left = _mm256_sub_ps(left, _mm256_mul_ps(cut, leftA));
    left = _mm256_sub_ps(left, _mm256_mul_ps(cut, leftB));
    right = _mm256_sub_ps(right, _mm256_mul_ps(cut, rightA));
    right = _mm256_sub_ps(right, _mm256_mul_ps(cut, rightB));

    const __m256 away = _mm256_loadu_ps(block.away + n);
    const __m256 cancel = _mm256_mul_ps(away, _mm256_set1_ps(0.7f));
    const __m256 cancelledRight = _mm256_sub_ps(right, _mm256_mul_ps(cancel, left));
    const __m256 cancelledLeft = _mm256_sub_ps(left, _mm256_mul_ps(cancel, right));
    const __m256 lift = _mm256_sub_ps(_mm256_set1_ps(1.0f), _mm256_mul_ps(_mm256_set1_ps(0.5f), e));
    _mm256_storeu_ps(block.toDelay[0] + n, _mm256_mul_ps(lift, cancelledLeft));
    _mm256_storeu_ps(block.toDelay[1] + n, _mm256_mul_ps(lift, cancelledRight));

    const __m256i itd = _mm256_cvttps_epi32(_mm256_mul_ps(away, _mm256_set1_ps(path.itdSpan)));
    const __m256i onLeft =
        _mm256_castps_si256(_mm256_cmp_ps(_mm256_loadu_ps(block.lateral + n), _mm256_setzero_ps(), _CMP_LT_OS));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(block.itdTarget[0] + n), _mm256_andnot_si256(onLeft, itd));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(block.itdTarget[1] + n), _mm256_and_si256(onLeft, itd));
}

}  // namespace direct_path_detail

inline DirectPath startDirectPath(SpatialiserState& state) {
    DirectPath path;
    path.fullField = state.stereoField == 1.0f;
    for (int half = 0; half < 2; ++half) {
        path.bands.b0[half] = _mm_loadu_ps(state.bandB0 + 4 * half);
        path.bands.a1[half] = _mm_loadu_ps(state.bandA1 + 4 * half);
        path.bands.a2[half] = _mm_loadu_ps(state.bandA2 + 4 * half);
        direct_path_detail::loadStatePairs(state.bandState + 4 * half, direct_path_detail::bandsIn(half), path.bands.z1[half],
                                           path.bands.z2[half]);
    }
    path.leftWeight = (path.fullField ? direct_path_detail::kFullFieldLanes : direct_path_detail::kLeftLanes).lanes;
    path.rightWeight = (path.fullField ? direct_path_detail::kFullFieldLanes : direct_path_detail::kRightLanes).lanes;
    path.cut.b0 = _mm_set1_ps(state.bandB0[kElevationBand]);
    path.cut.a1 = _mm_set1_ps(state.bandA1[kElevationBand]);
    path.cut.a2 = _mm_set1_ps(state.bandA2[kElevationBand]);
    direct_path_detail::loadStatePairs(state.elevationFilterState, kElevationFilterCount, path.cut.z1, path.cut.z2);
    path.itdSpan = state.itdSpan;
    for (int line = 0; line < 2; ++line) {
        path.itdLine[line] = state.itdBuffer[line];
        path.itdWriteIndex[line] = state.itdWriteIndex[line];
        path.itdLength[line] = state.itdLength[line];
    }
    return path;
}

inline void storeDirectPath(const DirectPath& path, SpatialiserState& state) {
    for (int half = 0; half < 2; ++half) {
        direct_path_detail::storeStatePairs(path.bands.z1[half], path.bands.z2[half], state.bandState + 4 * half,
                                            direct_path_detail::bandsIn(half));
    }
    direct_path_detail::storeStatePairs(path.cut.z1, path.cut.z2, state.elevationFilterState, kElevationFilterCount);
    for (int line = 0; line < 2; ++line) {
        state.itdWriteIndex[line] = path.itdWriteIndex[line];
        state.itdLength[line] = path.itdLength[line];
    }
}

// bands, lateralWeight, front, rear, azimuth -> lateral, away and channels, four samples at once;
// limits the elevation.
inline void weighBands(const DirectPath& path, SubBlock& block, int32_t count) {
    for (int32_t n = 0; n < lanesFor(count); n += 4) direct_path_detail::weighFour(path, block, n);
}

// weighBands eight samples at once, for the AVX2 build.
SPATIALISER_AVX2 inline void weighBandsWide(const DirectPath& path, SubBlock& block, int32_t count) {
    const int32_t lanes = lanesFor(count);
    int32_t n = 0;
    for (; n + 8 <= lanes; n += 8) direct_path_detail::weighEight(path, block, n);
    if (n < lanes) direct_path_detail::weighFour(path, block, n);
}

// channels -> cut, sample by sample, for samples begin..end-1.
inline void runElevationCut(DirectPath& path, SubBlock& block, int32_t begin, int32_t end) {
    CutSections cut = path.cut;  // a local copy stays in registers
    for (int32_t n = begin; n < end; ++n) stepCut(cut, block.channels[n], block.cut[n]);
    path.cut = cut;
}

// channels, cut, elevation, away -> toDelay and itdTarget, four samples at once.
inline void mixChannels(const DirectPath& path, SubBlock& block, int32_t count) {
    for (int32_t n = 0; n < lanesFor(count); n += 4) direct_path_detail::mixFour(path, block, n);
}

// mixChannels eight samples at once, for the AVX2 build.
SPATIALISER_AVX2 inline void mixChannelsWide(const DirectPath& path, SubBlock& block, int32_t count) {
    const int32_t lanes = lanesFor(count);
    int32_t n = 0;
    for (; n + 8 <= lanes; n += 8) direct_path_detail::mixEight(path, block, n);
    if (n < lanes) direct_path_detail::mixFour(path, block, n);
}

// toDelay -> delayed, sample by sample.
inline void runInterauralDelay(DirectPath& path, SubBlock& block, int32_t count) {
    for (int line = 0; line < 2; ++line) {
        float* const samples = path.itdLine[line];
        const float* const input = block.toDelay[line];
        float* const output = block.delayed[line];
        const int32_t* const target = block.itdTarget[line];
        int32_t writeIndex = path.itdWriteIndex[line];
        int32_t length = path.itdLength[line];
        if (writeIndex <= length && direct_path_detail::allEqual(target, count, length)) {
            // A line that keeps its length is a plain delay of length + 1 samples: first what it
            // holds, from the write index on, then the sub-block's own input.
            const int32_t cycle = length + 1;
            int32_t n = 0;
            for (int32_t slot = writeIndex; n < count && n < cycle; ++n) {
                output[n] = samples[slot];
                slot = slot == length ? 0 : slot + 1;
            }
            std::copy(input, input + (count - n), output + n);
            // The line keeps the last `cycle` inputs, each in the slot it was written to.
            const int32_t kept = count < cycle ? count : cycle;
            int32_t slot = (writeIndex + (count - kept)) % cycle;
            for (int32_t k = count - kept; k < count; ++k) {
                samples[slot] = input[k];
                slot = slot == length ? 0 : slot + 1;
            }
            path.itdWriteIndex[line] = slot;
            continue;
        }
        for (int32_t n = 0; n < count; ++n) {
            output[n] = direct_path_detail::delay(samples, input[n], target[n], writeIndex, length);
        }
        path.itdWriteIndex[line] = writeIndex;
        path.itdLength[line] = length;
    }
}
