// The engine with any values and samples: updates with any eleven floats, any sample rate, both
// render calls with any samples and counts, in place or not. Replacing output must always be
// finite and within -1..1, whatever went in before.
#include "FuzzInput.h"
#include "dsp/spatialiser.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

namespace {

constexpr int kMaxSteps = 32;
constexpr int32_t kMaxFrames = 1024;

void render(SpatialiserState* state, FuzzedDataProvider& input, bool updated) {
    const bool replacing = input.ConsumeBool();
    const bool inPlace = input.ConsumeBool();
    const int32_t frames = input.ConsumeIntegralInRange<int32_t>(-2, kMaxFrames);
    const size_t length = static_cast<size_t>(std::max(frames, 0));
    std::unique_ptr<float[]> channels[4];
    for (int c = 0; c < 4; ++c) {
        channels[c].reset(new float[length]());
        for (size_t i = 0; i < length; ++i) channels[c][i] = c < 2 && input.remaining_bytes() ? anyFloat(input) : 0.0f;
    }
    float* out0 = inPlace ? channels[0].get() : channels[2].get();
    float* out1 = inPlace ? channels[1].get() : channels[3].get();
    if (replacing)
        spatialiserProcessReplacing(channels[0].get(), channels[1].get(), out0, out1, frames, state);
    else
        spatialiserProcess(channels[0].get(), channels[1].get(), out0, out1, frames, state);
    // Before its first update the engine leaves the buffers alone; mixing adds to what they held.
    if (!replacing || !updated) return;
    for (size_t i = 0; i < length; ++i) {
        if (!(out0[i] >= -1.0f && out0[i] <= 1.0f && out1[i] >= -1.0f && out1[i] <= 1.0f)) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const uint32_t stateSize = spatialiserStateSize();
    std::unique_ptr<unsigned char[]> memory(new unsigned char[stateSize]());
    auto* state = reinterpret_cast<SpatialiserState*>(memory.get());
    bool updated = false;
    for (int step = 0; step < kMaxSteps && input.remaining_bytes() > 0; ++step) {
        switch (input.ConsumeIntegralInRange<int>(0, 2)) {
        case 0: {
            float values[11];
            for (float& value : values) value = anyFloat(input);
            spatialiserUpdate(values[0], values[1], values[2], values[3], values[4], values[5], values[6], values[7],
                              values[8], values[9], values[10], state);
            updated = true;
            break;
        }
        case 1:
            spatialiserSetSampleRate(anyFloat(input), state);
            break;
        case 2:
            render(state, input, updated);
            break;
        }
    }
    return 0;
}
