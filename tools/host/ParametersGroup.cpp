// parameters: every index set to values across 0..1 (the ends, a denormal, random ones) while
// audio runs on another thread; a value reads back in range and stable; names, labels and display
// texts stay within the buffer a host gives (a warning past the published 8 characters); the
// output stays finite. Values outside 0..1 and indices no parameter has are the hostile group's.
#include "AudioThread.h"
#include "OpcodeTable.h"
#include "ValidationAudio.h"
#include "ValidationGroups.h"

#include <cmath>
#include <random>

namespace host {
namespace {

constexpr float kStableTolerance = 1e-4f;

std::vector<float> valuesToTry() {
    std::vector<float> values = {0.0f, 1.0f, 0.5f, -0.0f, 1e-40f, 0.999999f};
    std::mt19937 random(14);
    std::uniform_real_distribution<float> anyValue(0.0f, 1.0f);
    for (int i = 0; i < 5; ++i) values.push_back(anyValue(random));
    return values;
}

std::string parameter(int32_t index, float value) {
    return "parameter " + std::to_string(index) + " set to " + std::to_string(value);
}

}  // namespace

void checkParameterTexts(Instance& instance, int32_t index, const std::string& when) {
    for (const int32_t opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay}) {
        GuardedText text(kParameterTextSize);
        const std::string what = std::string(opcodeInfo(opcode).name) + " after " + when;
        noteStep(what);
        instance.dispatch(opcode, index, 0, text.data());
        text.check(opcodeInfo(opcode).name, what);
    }
}

namespace {

void checkReadBack(Instance& instance, int32_t index, float value) {
    const std::string what = parameter(index, value);
    const float answer = instance.getParameter(index);
    if (!(answer >= 0.0f && answer <= 1.0f))
        throw CheckFailed(what + " reads back as " + std::to_string(answer) + ", outside 0..1");
    // What the module answers, set again, is what it keeps: links and steps settle at once.
    instance.setParameter(index, answer);
    const float again = instance.getParameter(index);
    if (!(std::fabs(again - answer) <= kStableTolerance))
        throw CheckFailed(what + " reads back as " + std::to_string(answer) + ", which set again reads " + std::to_string(again));
}

}  // namespace

std::string checkParameters(const GroupContext& context) {
    ModuleLibrary library(context.module);
    Instance instance(library);
    const int32_t count = instance.effect().numParams;
    std::vector<float> initial;
    for (int32_t index = 0; index < count; ++index) initial.push_back(instance.getParameter(index));

    AudioThread audio(instance.effect(), false);
    audio.waitForBlocks(1);
    for (const float value : valuesToTry()) {
        for (int32_t index = 0; index < count; ++index) {
            noteStep(parameter(index, value));
            instance.setParameter(index, value);
            checkReadBack(instance, index, value);
            checkParameterTexts(instance, index, parameter(index, value));
        }
    }

    noteStep("parameters restored");
    for (int32_t index = 0; index < count; ++index) instance.setParameter(index, initial[static_cast<size_t>(index)]);
    audio.waitForBlocks(audio.blocks() + 16);
    const long faulty = audio.nonFiniteBlocks();
    audio.finish();
    if (faulty) throw CheckFailed(std::to_string(faulty) + " blocks on the audio thread gave non-finite output for values in 0..1");

    // With sound values again, the output must be finite again: nothing may stay stuck on NaN.
    GuardedChannels inputs(instance.effect().numInputs, kValidationBlockSize);
    GuardedChannels outputs(instance.effect().numOutputs, kValidationBlockSize);
    for (int block = 0; block < 8; ++block) {
        fillTestSignal(inputs, block * kValidationBlockSize);
        renderCall(instance.effect(), canReplace(instance.effect()), inputs, outputs, kValidationBlockSize,
                   "rendering with the parameters restored");
        checkOutput(outputs, kValidationBlockSize, false, "rendering with the parameters restored");
    }
    return "";
}

}  // namespace host
