// A zero-filled engine with named settings, and small signal helpers for the engine tests.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "dsp/instruction_set.h"
#include "dsp/spatialiser.h"
#include "dsp/spatialiser_state.h"

struct Settings {
    float azimuth = 0.0f;
    float azimuthSpeed = 0.0f;
    float azimuthDepth = 0.0f;
    float waveform = 0.0f;
    float elevation = 0.0f;
    float elevationSpeed = 0.0f;
    float elevationDepth = 0.0f;
    float distance = 0.0f;
    float stereoField = 0.0f;
    float quality = 0.0f;
    float reflectionPattern = 0.0f;
};

struct Stereo {
    std::vector<float> left;
    std::vector<float> right;
};

// The render loop's builds this processor runs: SSE2, and AVX2 where it has it.
inline std::vector<InstructionSet> runnableInstructionSets() {
    if (fastestInstructionSet() == InstructionSet::avx2) return {InstructionSet::sse2, InstructionSet::avx2};
    return {InstructionSet::sse2};
}

class Engine {
public:
    Engine() : state_(std::make_unique<SpatialiserState>()) {}
    // An engine that renders with the given build of the loop instead of the fastest.
    explicit Engine(InstructionSet instructionSet) : Engine() { forced_ = instructionSet; }

    void update(const Settings& s) {
        spatialiserUpdate(s.azimuth, s.azimuthSpeed, s.azimuthDepth, s.waveform, s.elevation,
                          s.elevationSpeed, s.elevationDepth, s.distance, s.stereoField, s.quality,
                          s.reflectionPattern, state_.get());
        if (forced_) state_->instructionSet = static_cast<int32_t>(*forced_);
    }

    Stereo replace(const Stereo& input) {
        Stereo output{std::vector<float>(input.left.size()), std::vector<float>(input.left.size())};
        spatialiserProcessReplacing(input.left.data(), input.right.data(), output.left.data(),
                                    output.right.data(), static_cast<int32_t>(input.left.size()), state_.get());
        return output;
    }

    // Renders `count` silent frames and returns the output.
    Stereo silence(size_t count) { return replace(Stereo{std::vector<float>(count), std::vector<float>(count)}); }

    SpatialiserState& state() { return *state_; }

private:
    std::unique_ptr<SpatialiserState> state_;
    std::optional<InstructionSet> forced_;
};

// Deterministic noise in -1..1 from integer arithmetic only, so every build sees the same samples.
class Noise {
public:
    explicit Noise(uint32_t seed) : value_(seed) {}
    uint32_t nextBits() {
        value_ = value_ * 1664525u + 1013904223u;
        return value_;
    }
    float next() { return static_cast<float>(static_cast<int32_t>(nextBits())) * 4.656613e-10f; }

private:
    uint32_t value_;
};

inline Stereo noise(size_t count, uint32_t seed) {
    Noise source(seed);
    Stereo signal{std::vector<float>(count), std::vector<float>(count)};
    for (size_t i = 0; i < count; ++i) {
        signal.left[i] = source.next();
        signal.right[i] = source.next() * 0.5f;
    }
    return signal;
}

inline Stereo constant(size_t count, float left, float right) {
    return Stereo{std::vector<float>(count, left), std::vector<float>(count, right)};
}

// FNV-1a over the bit patterns of the samples.
inline uint64_t fnv1a(const std::vector<float>& samples, uint64_t hash = 14695981039346656037ull) {
    for (float sample : samples) {
        uint32_t bits;
        std::memcpy(&bits, &sample, sizeof bits);
        for (int byte = 0; byte < 4; ++byte) {
            hash ^= (bits >> (8 * byte)) & 0xffu;
            hash *= 1099511628211ull;
        }
    }
    return hash;
}
