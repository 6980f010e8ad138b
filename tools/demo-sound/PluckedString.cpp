#include "PluckedString.h"

#include <cmath>

namespace {

// Below this fraction the tuning all-pass comes close to instability; a whole sample is moved to it.
constexpr double kSmallestFraction = 0.1;

// A small deterministic generator, so that every build makes the same sound.
float noise(uint32_t& state) {
    state = state * 1664525u + 1013904223u;
    return static_cast<float>(state >> 8) / static_cast<float>(1u << 23) - 1.0f;
}

}  // namespace

PluckedString::PluckedString(double frequency, double sampleRate, double ringSeconds, uint32_t seed) {
    const double period = sampleRate / frequency;  // samples round the loop, low-pass included
    const size_t length = static_cast<size_t>(std::floor(period - 0.5 - kSmallestFraction));
    const double fraction = period - 0.5 - static_cast<double>(length);
    allpassCoefficient_ = static_cast<float>((1.0 - fraction) / (1.0 + fraction));
    loopGain_ = static_cast<float>(std::pow(10.0, -3.0 / (ringSeconds * frequency)));

    // A soft pluck: noise through a one-pole low-pass, without its average.
    loop_.resize(length);
    float smoothed = 0.0f;
    double sum = 0.0;
    for (float& sample : loop_) {
        smoothed += 0.5f * (noise(seed) - smoothed);
        sample = smoothed;
        sum += sample;
    }
    const float mean = static_cast<float>(sum / static_cast<double>(length));
    for (float& sample : loop_) sample -= mean;
}

float PluckedString::next() {
    const float delayed = loop_[position_];
    const float averaged = 0.5f * (delayed + previous_);
    previous_ = delayed;
    const float tuned = allpassCoefficient_ * (averaged - allpassOutput_) + allpassInput_;
    allpassInput_ = averaged;
    allpassOutput_ = tuned;
    loop_[position_] = tuned * loopGain_;
    position_ = (position_ + 1) % loop_.size();
    return delayed;
}
