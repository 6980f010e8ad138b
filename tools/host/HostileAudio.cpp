// hostile, audio: what only a hostile host does to parameters and render calls. Values far outside
// 0..1 (NaN, infinities, 1e30) and indices no parameter has, while audio runs; render calls with
// no or negative frames and with more frames than the block size the instance was told; sample
// rates and block sizes no host sets. Every finding here is a warning.
#include "AudioThread.h"
#include "OpcodeTable.h"
#include "ValidationAudio.h"
#include "ValidationGroups.h"

#include <limits>

namespace host {
namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr float kUntouched = 0.125f;
constexpr int32_t kDeclaredBlock = 64;
constexpr int32_t kOversizedBlock = 512;

void renderNothing(Instance& instance, bool replacing) {
    AEffect& effect = instance.effect();
    for (const int32_t frames : {0, -1, -512}) {
        const std::string step = std::string(replacing ? "processReplacing" : "process") + " with " +
                                 std::to_string(frames) + " frames";
        noteStep(step);
        GuardedChannels inputs(effect.numInputs, instance.blockSize());
        GuardedChannels outputs(effect.numOutputs, instance.blockSize());
        fillTestSignal(inputs, 0);
        outputs.fill(kUntouched);
        renderCall(effect, replacing, inputs, outputs, frames, step);
        for (int32_t c = 0; c < outputs.count(); ++c)
            for (int32_t i = 0; i < instance.blockSize(); ++i)
                if (outputs.channel(c)[i] != kUntouched) throw CheckFailed(step + " wrote into its outputs");
    }
}

}  // namespace

std::string checkHostileParameters(const GroupContext& context) {
    ModuleLibrary library(context.module);
    Instance instance(library);
    const int32_t count = instance.effect().numParams;
    std::vector<float> initial;
    for (int32_t index = 0; index < count; ++index) initial.push_back(instance.getParameter(index));

    AudioThread audio(instance.effect(), false);
    audio.waitForBlocks(1);
    for (const float value : {std::numeric_limits<float>::quiet_NaN(), kInfinity, -kInfinity, 1e30f, -1e30f, -0.5f, 1.5f}) {
        for (int32_t index = 0; index < count; ++index) {
            const std::string what = "parameter " + std::to_string(index) + " set to " + std::to_string(value);
            noteStep(what);
            instance.setParameter(index, value);
            instance.getParameter(index);  // whatever it answers: a host that sent this gets it back
            checkParameterTexts(instance, index, what);
        }
    }
    for (const int32_t index : {count, count + 1, -1, std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min()}) {
        noteStep("parameter index " + std::to_string(index));
        instance.setParameter(index, 0.5f);
        instance.getParameter(index);
        checkParameterTexts(instance, index, "index " + std::to_string(index));
    }
    const long faulty = audio.nonFiniteBlocks();
    if (faulty) reportWarning("non-finite", std::to_string(faulty) + " blocks with non-finite output while values were outside 0..1");

    noteStep("parameters restored");
    for (int32_t index = 0; index < count; ++index) instance.setParameter(index, initial[static_cast<size_t>(index)]);
    audio.waitForBlocks(audio.blocks() + 16);
    audio.finish();
    // With sound values again the output must be finite again: nothing may stay stuck on NaN.
    GuardedChannels inputs(instance.effect().numInputs, instance.blockSize());
    GuardedChannels outputs(instance.effect().numOutputs, instance.blockSize());
    for (int block = 0; block < 8; ++block) {
        fillTestSignal(inputs, block * instance.blockSize());
        renderCall(instance.effect(), canReplace(instance.effect()), inputs, outputs, instance.blockSize(),
                   "rendering with the parameters restored");
        checkOutput(outputs, instance.blockSize(), false, "rendering with the parameters restored");
    }
    return "";
}

std::string checkHostileFrames(const GroupContext& context) {
    ModuleLibrary library(context.module);
    {
        Instance instance(library);
        for (const bool replacing : {true, false}) {
            if (replacing ? instance.effect().processReplacing : instance.effect().process) renderNothing(instance, replacing);
        }
    }
    Instance instance(library, kValidationSampleRate, kDeclaredBlock);
    const std::string step = std::to_string(kOversizedBlock) + " frames after a block size of " + std::to_string(kDeclaredBlock);
    noteStep(step);
    GuardedChannels inputs(instance.effect().numInputs, kOversizedBlock);
    GuardedChannels outputs(instance.effect().numOutputs, kOversizedBlock);
    fillTestSignal(inputs, 0);
    renderCall(instance.effect(), canReplace(instance.effect()), inputs, outputs, kOversizedBlock, step);
    checkOutput(outputs, kOversizedBlock, false, step);
    return "";
}

std::string checkHostileRates(const GroupContext& context) {
    ModuleLibrary library(context.module);
    Instance instance(library);
    struct Setting {
        float rate;
        int32_t blockSize;
    };
    for (const Setting setting : {Setting{0.0f, 512}, {-44100.0f, 512}, {-kInfinity, 512}, {kInfinity, 512},
                                  {std::numeric_limits<float>::quiet_NaN(), 512}, {1.0f, 512}, {1e9f, 512},
                                  {44100.0f, 0}, {44100.0f, -1}, {44100.0f, 1 << 20}}) {
        const std::string step = "a sample rate of " + std::to_string(setting.rate) + " and a block size of " +
                                 std::to_string(setting.blockSize);
        noteStep(step);
        instance.restart(setting.rate, setting.blockSize);
        GuardedChannels inputs(instance.effect().numInputs, kDeclaredBlock);
        GuardedChannels outputs(instance.effect().numOutputs, kDeclaredBlock);
        fillTestSignal(inputs, 0);
        // Each setting is a finding of its own; only a crash or a hang ends the part.
        try {
            renderCall(instance.effect(), canReplace(instance.effect()), inputs, outputs, kDeclaredBlock, "rendering at " + step);
            checkOutput(outputs, kDeclaredBlock, false, "rendering at " + step);
        } catch (const CheckFailed& failure) {
            reportWarning(step, failure.what());
        }
    }
    noteStep("back to 44100 Hz");
    instance.restart(kValidationSampleRate, kValidationBlockSize);
    return "";
}

}  // namespace host
