#include "ValidationAudio.h"

#include <cmath>
#include <cstring>

namespace host {
namespace {

std::string sampleText(float sample) {
    if (std::isnan(sample)) return "NaN";
    if (std::isinf(sample)) return sample > 0 ? "infinity" : "-infinity";
    return std::to_string(sample);
}

}  // namespace

float testSignal(int channel, int64_t frame) {
    const double t = static_cast<double>(frame) / 44100.0;
    const double sweep = std::sin(2.0 * M_PI * (110.0 + 400.0 * t) * t + channel * 0.7);
    // A small integer hash gives noise that is the same on every run and every machine.
    uint32_t hash = static_cast<uint32_t>(frame) * 2654435761u + static_cast<uint32_t>(channel) * 40503u;
    hash ^= hash >> 15;
    const double noise = static_cast<double>(hash & 0xffff) / 65535.0 - 0.5;
    return static_cast<float>(0.45 * sweep + 0.05 * noise);
}

void fillTestSignal(GuardedChannels& channels, int64_t startFrame) {
    for (int32_t c = 0; c < channels.count(); ++c) {
        for (int32_t i = 0; i < channels.frames(); ++i) channels.channel(c)[i] = testSignal(c, startFrame + i);
    }
}

bool canReplace(const AEffect& effect) { return effect.processReplacing != nullptr; }

void renderCall(AEffect& effect, bool replacing, GuardedChannels& inputs, GuardedChannels& outputs, int32_t frames,
                const std::string& what) {
    auto* call = replacing ? effect.processReplacing : effect.process;
    call(&effect, inputs.pointers(), outputs.pointers(), frames);
    inputs.checkGuards(what);
    outputs.checkGuards(what);
}

void checkOutput(GuardedChannels& outputs, int32_t frames, bool bounded, const std::string& what) {
    for (int32_t c = 0; c < outputs.count(); ++c) {
        for (int32_t i = 0; i < frames; ++i) {
            const float sample = outputs.channel(c)[i];
            if (!std::isfinite(sample)) {
                throw CheckFailed(what + " gave " + sampleText(sample) + " at frame " + std::to_string(i) +
                                  " of channel " + std::to_string(c));
            }
            if (bounded && std::fabs(sample) > 1.0f) {
                throw CheckFailed(what + " gave " + sampleText(sample) + ", outside -1..1, at frame " +
                                  std::to_string(i) + " of channel " + std::to_string(c));
            }
        }
    }
}

std::vector<float> renderStream(AEffect& effect, int blocks, int32_t blockSize) {
    GuardedChannels inputs(effect.numInputs, blockSize);
    GuardedChannels outputs(effect.numOutputs, blockSize);
    std::vector<float> stream;
    for (int block = 0; block < blocks; ++block) {
        fillTestSignal(inputs, static_cast<int64_t>(block) * blockSize);
        outputs.fill(0.0f);
        renderCall(effect, canReplace(effect), inputs, outputs, blockSize, "rendering");
        checkOutput(outputs, blockSize, false, "rendering block " + std::to_string(block));
        for (int32_t c = 0; c < outputs.count(); ++c)
            stream.insert(stream.end(), outputs.channel(c), outputs.channel(c) + blockSize);
    }
    return stream;
}

size_t firstDifference(const std::vector<float>& a, const std::vector<float>& b) {
    size_t first = 0;
    while (first < a.size() && std::memcmp(&a[first], &b[first], sizeof(float)) == 0) ++first;
    return first;
}

}  // namespace host
