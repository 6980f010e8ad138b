// hostile, calls: what only a hostile host does through the entry point and the dispatcher. A host
// answering version 0; every opcode 0..80, those no host sends too, with zero, random and extreme
// index, value and opt; the editor opened in a window that does not exist; a program name far
// longer than a host sends. Every finding here is a warning.
#include "HostWindow.h"
#include "OpcodeCall.h"
#include "ValidationAudio.h"
#include "ValidationGroups.h"
#include "XErrorTrap.h"

#include <cmath>
#include <limits>
#include <random>

namespace host {
namespace {

struct Arguments {
    int32_t index;
    intptr_t value;
    float opt;
};

std::vector<Arguments> argumentVariants() {
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    std::vector<Arguments> variants = {{0, 0, 0.0f}};
    std::mt19937_64 random(14);
    for (int i = 0; i < 3; ++i) {
        variants.push_back({static_cast<int32_t>(random()), static_cast<intptr_t>(random()),
                            std::ldexp(static_cast<float>(random() % 2001) / 1000.0f - 1.0f, static_cast<int>(random() % 40))});
    }
    variants.push_back({std::numeric_limits<int32_t>::max(), std::numeric_limits<intptr_t>::max(), kInfinity});
    variants.push_back({std::numeric_limits<int32_t>::min(), std::numeric_limits<intptr_t>::min(), -kInfinity});
    variants.push_back({-1, -1, std::numeric_limits<float>::quiet_NaN()});
    variants.push_back({1, 1, 1e30f});
    return variants;
}

const char* const kInputTexts[] = {"Validator 0123456789abc", "", "receiveVstEvents",
                                   "a text far longer than any buffer a module keeps for one, to see that it is cut"};

void sweep(Instance& instance) {
    const std::vector<Arguments> variants = argumentVariants();
    for (int32_t opcode = 0; opcode <= kLastOpcode; ++opcode) {
        if (opcode == effClose) continue;
        for (size_t v = 0; v < variants.size(); ++v) {
            const Arguments& arguments = variants[v];
            CallObjects objects(opcode, kInputTexts[v % 4], missingWindow());
            const intptr_t value = objects.value(arguments.value);
            const std::string what = describeCall(opcode, arguments.index, value, arguments.opt);
            noteStep(what);
            const intptr_t answer = instance.dispatch(opcode, arguments.index, value, objects.ptr(), arguments.opt);
            // One bad object is one finding; the sweep goes on with the next call.
            try {
                objects.check(answer, what);
            } catch (const CheckFailed& failure) {
                reportWarning(std::string("past the buffer ") + opcodeInfo(opcode).name, failure.what());
            }
            if (opcode == effEditOpen) instance.dispatch(effEditClose);
        }
        // The next opcode meets a sound state again.
        instance.restart(kValidationSampleRate, kValidationBlockSize);
    }
}

}  // namespace

std::string checkVersionZero(const GroupContext& context) {
    ModuleLibrary library(context.module);
    noteStep("main with a host answering version 0");
    HostAnswers& answers = hostAnswers();
    answers.version = 0;
    answers.forgetCalls();
    AEffect* effect = library.callEntry();
    answers.version = 2400;
    const long otherCalls = answers.totalCalls() - answers.calls[audioMasterVersion];
    if (effect) {
        effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
        throw CheckFailed("main gave an effect although the host answered version 0");
    }
    if (answers.calls[audioMasterVersion] == 0) throw CheckFailed("main refused the load without asking the version");
    if (otherCalls) throw CheckFailed("main called the host " + std::to_string(otherCalls) + " more times after the version 0");
    return "";
}

std::string checkHostileCalls(const GroupContext& context) {
    trapXErrors();  // the editor opened in a window that does not exist
    ModuleLibrary library(context.module);
    Instance instance(library);
    sweep(instance);

    noteStep("effSetProgramName with 59 characters");
    char longName[] = "A name of sixty characters, far more than any host may send";
    instance.dispatch(effSetProgramName, 0, 0, longName);
    GuardedText name(kProgramNameSize);
    noteStep("effGetProgramName after a rename to 59 characters");
    instance.dispatch(effGetProgramName, 0, 0, name.data());
    name.check("effGetProgramName", "effGetProgramName after a rename to 59 characters");

    noteStep("rendering after the sweep");
    GuardedChannels inputs(instance.effect().numInputs, instance.blockSize());
    GuardedChannels outputs(instance.effect().numOutputs, instance.blockSize());
    fillTestSignal(inputs, 0);
    renderCall(instance.effect(), canReplace(instance.effect()), inputs, outputs, instance.blockSize(), "rendering after the sweep");
    checkOutput(outputs, instance.blockSize(), false, "rendering after the sweep");
    noteStep("effClose");
    return "";
}

}  // namespace host
