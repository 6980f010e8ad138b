#include "Renderer.h"

#include "Parameters.h"

#include <algorithm>
#include <cmath>

namespace host {
namespace {

// Planar buffers of one block, one per channel, and the pointer arrays handed to the effect.
class BlockBuffers {
public:
    // Never an empty array: some modules read the first pointer whatever their pin count, and the
    // input file is read into the first buffer even for a module without inputs.
    BlockBuffers(int32_t channels, int32_t blockSize)
        : storage_(std::max<size_t>(1, static_cast<size_t>(channels)), std::vector<float>(static_cast<size_t>(blockSize))),
          pointers_(storage_.size()) {
        reset();
    }

    const std::vector<float*>& atStart() {
        reset();
        return pointers_;
    }

    float** at(int64_t offset) {
        for (size_t channel = 0; channel < storage_.size(); ++channel) pointers_[channel] = storage_[channel].data() + offset;
        return pointers_.data();
    }

    std::vector<float>& channel(size_t index) { return storage_[index]; }
    size_t channels() const { return storage_.size(); }

private:
    void reset() {
        for (size_t channel = 0; channel < storage_.size(); ++channel) pointers_[channel] = storage_[channel].data();
    }

    std::vector<std::vector<float>> storage_;
    std::vector<float*> pointers_;
};

void runEffect(AEffect& effect, BlockBuffers& inputs, BlockBuffers& outputs, int64_t offset, int64_t frames,
               bool accumulate) {
    float** in = inputs.at(offset);
    float** out = outputs.at(offset);
    if (accumulate) {
        for (size_t channel = 0; channel < outputs.channels(); ++channel) {
            std::fill_n(out[channel], frames, 0.0f);
        }
        effect.process(&effect, in, out, static_cast<int32_t>(frames));
    } else {
        effect.processReplacing(&effect, in, out, static_cast<int32_t>(frames));
    }
}

// Replaces what a file cannot sensibly hold by silence and measures the levels.
void inspectOutput(BlockBuffers& outputs, int64_t frames, RenderResult& result) {
    for (size_t channel = 0; channel < outputs.channels(); ++channel) {
        ChannelLevel& level = result.levels[channel];
        float* samples = outputs.channel(channel).data();
        for (int64_t frame = 0; frame < frames; ++frame) {
            float& sample = samples[frame];
            if (!std::isfinite(sample)) {
                sample = 0.0f;
                ++result.nonFiniteSamples;
            }
            level.peak = std::max(level.peak, std::fabs(sample));
            level.sumOfSquares += static_cast<double>(sample) * sample;
        }
    }
}

}  // namespace

RenderResult render(AEffect& effect, InputFile& input, OutputFile& output, const std::vector<ParameterChange>& changes,
                    const RenderSettings& settings, Progress& progress) {
    BlockBuffers inputs(effect.numInputs, settings.blockSize);
    BlockBuffers outputs(effect.numOutputs, settings.blockSize);
    RenderResult result;
    result.levels.resize(static_cast<size_t>(effect.numOutputs));

    auto nextChange = changes.begin();
    int64_t tailLeft = settings.tailFrames;
    bool inputEnded = false;
    while (true) {
        // One block: input while there is any, then the silent tail.
        int64_t frames = 0;
        if (!inputEnded) {
            frames = input.read(inputs.atStart(), settings.blockSize);
            result.inputFrames += frames;
            inputEnded = frames < settings.blockSize;
        }
        const int64_t tailFrames = std::min<int64_t>(settings.blockSize - frames, tailLeft);
        for (size_t channel = 0; channel < inputs.channels(); ++channel) {
            std::fill_n(inputs.channel(channel).data() + frames, tailFrames, 0.0f);
        }
        tailLeft -= tailFrames;
        frames += tailFrames;
        if (frames == 0) break;

        // Split the block wherever a parameter changes, so that each change lands on its frame.
        for (int64_t offset = 0; offset < frames;) {
            const int64_t position = result.frames + offset;
            for (; nextChange != changes.end() && nextChange->frame <= position; ++nextChange) {
                setParameter(effect, nextChange->parameter, nextChange->value);
                ++result.changesApplied;
            }
            int64_t end = frames;
            if (nextChange != changes.end()) end = std::min(end, nextChange->frame - result.frames);
            runEffect(effect, inputs, outputs, offset, end - offset, settings.accumulate);
            offset = end;
        }

        inspectOutput(outputs, frames, result);
        output.write(outputs.atStart(), frames);
        result.frames += frames;
        progress.update(result.frames);
    }
    return result;
}

}  // namespace host
