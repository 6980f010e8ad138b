// Second-order band-pass sections with constant 0 dB peak gain (numerator b0 (1 - z^-2)), four
// side by side in the lanes of a vector; each lane does the scalar step's arithmetic exactly.
#pragma once

#include <emmintrin.h>

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
