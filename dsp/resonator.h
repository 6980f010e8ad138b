// A second-order band-pass section with constant 0 dB peak gain (numerator b0 * (1 - z^-2)).
#pragma once

struct ResonatorCoefficients {
    float b0;
    float a1;
    float a2;
};

// z holds the state pair (z1, z2).
inline float resonate(float input, const ResonatorCoefficients& c, float* z) {
    const float w = c.b0 * input - c.a1 * z[0] - c.a2 * z[1];
    const float output = w - z[1];
    z[1] = z[0];
    z[0] = w;
    return output;
}
