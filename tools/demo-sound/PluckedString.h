// A plucked string by the Karplus-Strong method: a noise burst circulating in a tuned delay loop
// with a gentle low-pass, so that high partials die first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class PluckedString {
public:
    // `ringSeconds`: time for the note to fall by 60 dB. `seed` varies the pluck's noise.
    PluckedString(double frequency, double sampleRate, double ringSeconds, uint32_t seed);

    float next();

private:
    std::vector<float> loop_;
    size_t position_ = 0;
    float previous_ = 0.0f;       // averaging low-pass: half a sample of delay
    float allpassCoefficient_;    // fractional delay that tunes the loop exactly
    float allpassInput_ = 0.0f;
    float allpassOutput_ = 0.0f;
    float loopGain_;
};
