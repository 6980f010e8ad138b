// The engine and input that bench_dsp times and render_frames counts, so that both figures
// describe the same work. Builds against older trees too (scripts/bench-instructions).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "dsp/spatialiser.h"
#include "dsp/spatialiser_state.h"

// A moving source in the full stereo field exercises every branch of the loop.
inline std::unique_ptr<SpatialiserState> makeBenchEngine(float quality) {
    auto state = std::make_unique<SpatialiserState>();
    spatialiserUpdate(-0.3f, 0.4f, 0.6f, 0.0f, 0.3f, 0.2f, 0.5f, 0.6f, 1.0f, quality, 0.34f, state.get());
    return state;
}

// Repeatable noise on the left, half of it inverted on the right.
inline void fillBenchInput(std::vector<float>& left, std::vector<float>& right) {
    uint32_t noise = 1;
    for (size_t i = 0; i < left.size() && i < right.size(); ++i) {
        noise = noise * 1664525u + 1013904223u;
        left[i] = static_cast<float>(static_cast<int32_t>(noise)) * 2.3283064e-10f;
        right[i] = -0.5f * left[i];
    }
}
