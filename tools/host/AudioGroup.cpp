// audio: both render calls at 22.05 to 192 kHz, blocks of 1, 7, 64, 512 and 4096 frames and sizes
// that change from call to call, in-place buffers; never more frames than the block size the
// instance was told, and only while it is resumed. The output must be finite, stay inside its
// frames, and stay within -1..1 when the module clamps; silence in must not give NaN out.
#include "ValidationAudio.h"
#include "ValidationGroups.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace host {
namespace {

constexpr float kSampleRates[] = {22050.0f, 44100.0f, 48000.0f, 88200.0f, 96000.0f, 176400.0f, 192000.0f};
constexpr int32_t kBlockSizes[] = {1, 7, 64, 512, 4096};
constexpr int32_t kLargestBlock = 4096;

std::string at(float rate, bool replacing, const std::string& what) {
    return std::string(replacing ? "processReplacing" : "process") + " at " + std::to_string(static_cast<int>(rate)) +
           " Hz, " + what;
}

// A module that keeps a signal four times over full scale within -1..1 says that it clamps.
bool clampsItsOutput(ModuleLibrary& library) {
    noteStep("overdriven signal");
    Instance instance(library, kValidationSampleRate, kLargestBlock);
    GuardedChannels inputs(instance.effect().numInputs, kLargestBlock);
    GuardedChannels outputs(instance.effect().numOutputs, kLargestBlock);
    for (int block = 0; block < 4; ++block) {
        fillTestSignal(inputs, block * kLargestBlock);
        for (int32_t c = 0; c < inputs.count(); ++c)
            for (int32_t i = 0; i < kLargestBlock; ++i) inputs.channel(c)[i] = inputs.channel(c)[i] > 0 ? 4.0f : -4.0f;
        renderCall(instance.effect(), canReplace(instance.effect()), inputs, outputs, kLargestBlock, "overdriven signal");
        for (int32_t c = 0; c < outputs.count(); ++c)
            for (int32_t i = 0; i < kLargestBlock; ++i)
                if (!(std::fabs(outputs.channel(c)[i]) <= 1.0f)) return false;
    }
    return true;
}

// Blocks of the given sizes, the signal continuous across them.
void renderBlocks(Instance& instance, bool replacing, bool inPlace, const std::vector<int32_t>& sizes, bool bounded,
                  float rate, const std::string& what) {
    AEffect& effect = instance.effect();
    GuardedChannels inputs(effect.numInputs, kLargestBlock);
    GuardedChannels separate(effect.numOutputs, kLargestBlock);
    int64_t position = 0;
    for (const int32_t frames : sizes) {
        const std::string step = at(rate, replacing, what + ", " + std::to_string(frames) + " frames");
        noteStep(step);
        fillTestSignal(inputs, position);
        separate.fill(0.0f);
        // In place: the outputs are the input channels, as far as there are inputs.
        GuardedChannels& outputs = inPlace && effect.numInputs >= effect.numOutputs ? inputs : separate;
        renderCall(effect, replacing, inputs, outputs, frames, step);
        checkOutput(outputs, frames, bounded && replacing, step);
        position += frames;
    }
}

void renderSilence(Instance& instance, bool replacing, float rate) {
    AEffect& effect = instance.effect();
    GuardedChannels inputs(effect.numInputs, kLargestBlock);
    GuardedChannels outputs(effect.numOutputs, kLargestBlock);
    for (int block = 0; block < 8; ++block) {
        const std::string step = at(rate, replacing, "silence");
        noteStep(step);
        inputs.fill(0.0f);
        outputs.fill(0.0f);
        renderCall(effect, replacing, inputs, outputs, kLargestBlock, step);
        checkOutput(outputs, kLargestBlock, false, step);
    }
}

}  // namespace

std::string checkAudio(const GroupContext& context) {
    ModuleLibrary library(context.module);
    const bool bounded = clampsItsOutput(library);
    std::mt19937 random(14);
    std::uniform_int_distribution<int32_t> anySize(1, kLargestBlock);
    std::vector<int32_t> changing;
    for (int i = 0; i < 24; ++i) changing.push_back(anySize(random));
    const std::vector<int32_t> fixed(std::begin(kBlockSizes), std::end(kBlockSizes));

    bool triedProcess = false;
    for (const float rate : kSampleRates) {
        Instance instance(library, rate, kLargestBlock);
        for (const bool replacing : {true, false}) {
            if (replacing ? !instance.effect().processReplacing : !instance.effect().process) continue;
            triedProcess |= !replacing;
            for (const int32_t size : fixed) renderBlocks(instance, replacing, false, std::vector<int32_t>(3, size), bounded, rate, "blocks");
            renderBlocks(instance, replacing, false, changing, bounded, rate, "changing blocks");
            renderBlocks(instance, replacing, true, changing, bounded, rate, "in place");
            renderSilence(instance, replacing, rate);
        }
    }
    std::string note = bounded ? "clamps: output checked within -1..1" : "does not clamp: output checked finite";
    if (!triedProcess) note += "; no process call";
    return note;
}

}  // namespace host
