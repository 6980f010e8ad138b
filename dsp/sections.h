// Second-order band-pass sections with constant 0 dB peak gain (numerator b0 (1 - z^-2)), four
// side by side in the lanes of a vector; each lane does the scalar step's arithmetic exactly.
#pragma once

#include <immintrin.h>

// One step: w = b0 v - a1 z1 - a2 z2, output w - z2.
inline __m128 resonate(__m128 input, __m128 b0, __m128 a1, __m128 a2, __m128& z1, __m128& z2) {
    const __m128 w = _mm_sub_ps(_mm_sub_ps(_mm_mul_ps(b0, input), _mm_mul_ps(a1, z1)), _mm_mul_ps(a2, z2));
    const __m128 output = _mm_sub_ps(w, z2);
    z2 = z1;
    z1 = w;
    return output;
}

// The seven band sections: 1..4 and 5..7 in two vectors; the eighth lane has zero coefficients.
struct BandSections {
    __m128 b0[2], a1[2], a2[2];
    __m128 z1[2], z2[2];
};

// Runs the sections on x and writes bands 1..7 (and a zero) to `bands`.
inline void stepBands(BandSections& sections, float x, float* bands) {
    const __m128 input = _mm_set1_ps(x);
    for (int half = 0; half < 2; ++half) {
        _mm_store_ps(bands + 4 * half, resonate(input, sections.b0[half], sections.a1[half], sections.a2[half],
                                                sections.z1[half], sections.z2[half]));
    }
}

// Code for the render loop's AVX2 build only (dsp/instruction_set.h).
#define SPATIALISER_AVX2 __attribute__((target("avx2")))

// The seven band sections in the lanes of one wide vector, for the AVX2 build.
struct WideBandSections {
    __m256 b0, a1, a2;
    __m256 z1, z2;
};

SPATIALISER_AVX2 inline void widenBands(const BandSections& sections, WideBandSections& wide) {
    wide.b0 = _mm256_set_m128(sections.b0[1], sections.b0[0]);
    wide.a1 = _mm256_set_m128(sections.a1[1], sections.a1[0]);
    wide.a2 = _mm256_set_m128(sections.a2[1], sections.a2[0]);
    wide.z1 = _mm256_set_m128(sections.z1[1], sections.z1[0]);
    wide.z2 = _mm256_set_m128(sections.z2[1], sections.z2[0]);
}

SPATIALISER_AVX2 inline void narrowBands(const WideBandSections& wide, BandSections& sections) {
    sections.z1[0] = _mm256_castps256_ps128(wide.z1);
    sections.z1[1] = _mm256_extractf128_ps(wide.z1, 1);
    sections.z2[0] = _mm256_castps256_ps128(wide.z2);
    sections.z2[1] = _mm256_extractf128_ps(wide.z2, 1);
}

// stepBands with the two halves in one step: each lane does the same arithmetic.
SPATIALISER_AVX2 inline void stepBands(WideBandSections& sections, float x, float* bands) {
    const __m256 input = _mm256_set1_ps(x);
    const __m256 w = _mm256_sub_ps(_mm256_sub_ps(_mm256_mul_ps(sections.b0, input), _mm256_mul_ps(sections.a1, sections.z1)),
                                   _mm256_mul_ps(sections.a2, sections.z2));
    _mm256_storeu_ps(bands, _mm256_sub_ps(w, sections.z2));
    sections.z2 = sections.z1;
    sections.z1 = w;
}

// The four elevation cut sections, all with the 6000 Hz band's coefficients: left A, right A,
// left B, right B.
struct CutSections {
    __m128 b0, a1, a2;
    __m128 z1, z2;
};

// Runs the cut sections on one sample's channels [L, R] and writes the four section outputs.
inline void stepCut(CutSections& sections, const float* channels, float* cut) {
    // Sections A and B of a channel see the same input: [L, R, L, R].
    const __m128 pair = _mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(channels)));
    _mm_store_ps(cut, resonate(_mm_movelh_ps(pair, pair), sections.b0, sections.a1, sections.a2, sections.z1,
                               sections.z2));
}
