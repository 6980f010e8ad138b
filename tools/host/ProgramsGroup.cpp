// programs: every program selected and read back (name and values); renamed, with a name of 23
// characters and one far longer; copied; and a state restored into a fresh instance by selecting
// the program and replaying the parameters gives the same output bits.
#include "OpcodeTable.h"
#include "ValidationAudio.h"
#include "ValidationGroups.h"

#include <cmath>
#include <cstring>
#include <random>

namespace host {
namespace {

constexpr int kCompareBlocks = 16;

std::string programName(Instance& instance, const std::string& what) {
    GuardedBuffer text(kProgramNameSize);
    instance.dispatch(effGetProgramName, 0, 0, text.data());
    text.checkText(what);
    return text.text();
}

std::vector<float> readValues(Instance& instance, const std::string& what) {
    std::vector<float> values;
    for (int32_t index = 0; index < instance.effect().numParams; ++index) {
        values.push_back(instance.getParameter(index));
        if (!std::isfinite(values.back()))
            throw CheckFailed(what + ": parameter " + std::to_string(index) + " reads " + std::to_string(values.back()));
    }
    return values;
}

void selectProgram(Instance& instance, int32_t program) {
    const std::string what = "effSetProgram " + std::to_string(program);
    noteStep(what);
    instance.dispatch(effSetProgram, 0, program);
    const intptr_t current = instance.dispatch(effGetProgram);
    if (current != program) throw CheckFailed(what + ": effGetProgram answers " + std::to_string(current));
}

void readEveryProgram(Instance& instance) {
    for (int32_t program = 0; program < instance.effect().numPrograms; ++program) {
        selectProgram(instance, program);
        const std::string name = programName(instance, "effGetProgramName of program " + std::to_string(program));
        GuardedBuffer indexed(kProgramNameSize);
        const std::string what = "effGetProgramNameIndexed " + std::to_string(program);
        noteStep(what);
        if (instance.dispatch(effGetProgramNameIndexed, program, 0, indexed.data()) == 1) {
            indexed.checkText(what);
            if (name != indexed.text())
                throw CheckFailed(what + " answers \"" + indexed.text() + "\", effGetProgramName \"" + name + "\"");
        }
        readValues(instance, "program " + std::to_string(program));
    }
}

// Answers a note when the module keeps no names.
std::string rename(Instance& instance) {
    char name[] = "Validator 0123456789abc";  // 23 characters, the most a host's buffer holds
    noteStep("effSetProgramName");
    instance.dispatch(effSetProgramName, 0, 0, name);
    const std::string kept = programName(instance, "effGetProgramName after a rename");
    char longName[] = "A name of sixty characters, far more than any host may send";
    instance.dispatch(effSetProgramName, 0, 0, longName);
    programName(instance, "effGetProgramName after a rename to 59 characters");
    if (kept == name) return "";
    if (kept.empty()) return "program names are not kept";
    throw CheckFailed("a program renamed \"" + std::string(name) + "\" reads back as \"" + kept + "\"");
}

void copy(Instance& instance) {
    selectProgram(instance, 0);
    char name[] = "Copied program";
    instance.dispatch(effSetProgramName, 0, 0, name);
    std::mt19937 random(14);
    std::uniform_real_distribution<float> anyValue(0.0f, 1.0f);
    for (int32_t index = 0; index < instance.effect().numParams; ++index) instance.setParameter(index, anyValue(random));
    const std::string sourceName = programName(instance, "effGetProgramName of the copied program");
    noteStep("effCopyProgram 0 to 1");
    if (instance.dispatch(effCopyProgram, 1) != 1) return;  // copying is optional
    if (instance.dispatch(effGetProgram) != 0) throw CheckFailed("effCopyProgram changed the current program");
    selectProgram(instance, 1);
    const std::vector<float> copied = readValues(instance, "the copy");
    const std::string copiedName = programName(instance, "effGetProgramName of the copy");
    selectProgram(instance, 0);
    const std::vector<float> original = readValues(instance, "the original");
    if (copiedName != sourceName) throw CheckFailed("the copy is named \"" + copiedName + "\", not \"" + sourceName + "\"");
    for (size_t index = 0; index < copied.size(); ++index) {
        if (std::memcmp(&copied[index], &original[index], sizeof(float)) != 0) {
            throw CheckFailed("parameter " + std::to_string(index) + " of the copy is " + std::to_string(copied[index]) +
                              ", of the original " + std::to_string(original[index]));
        }
    }
}

void restoreIntoFreshInstance(ModuleLibrary& library) {
    noteStep("state restored into a fresh instance");
    Instance original(library);
    const int32_t program = std::min(3, original.effect().numPrograms - 1);
    if (program >= 0) original.dispatch(effSetProgram, 0, program);
    std::mt19937 random(1414);
    std::uniform_real_distribution<float> anyValue(0.0f, 1.0f);
    for (int32_t index = 0; index < original.effect().numParams; ++index) original.setParameter(index, anyValue(random));
    const std::vector<float> state = readValues(original, "the saved state");

    Instance restored(library);
    if (program >= 0) restored.dispatch(effSetProgram, 0, program);
    for (int32_t index = 0; index < restored.effect().numParams; ++index)
        restored.setParameter(index, state[static_cast<size_t>(index)]);

    const std::vector<float> expected = renderStream(original.effect(), kCompareBlocks, kValidationBlockSize);
    const std::vector<float> actual = renderStream(restored.effect(), kCompareBlocks, kValidationBlockSize);
    if (expected.size() != actual.size() || std::memcmp(expected.data(), actual.data(), expected.size() * sizeof(float)) != 0) {
        size_t first = 0;
        while (first < expected.size() && std::memcmp(&expected[first], &actual[first], sizeof(float)) == 0) ++first;
        throw CheckFailed("the restored instance renders other bits (first at sample " + std::to_string(first) +
                          " of the stream)");
    }
}

}  // namespace

std::string checkPrograms(const GroupContext& context) {
    ModuleLibrary library(context.module);
    std::string note;
    {
        Instance instance(library);
        if (instance.effect().numPrograms > 0) {
            readEveryProgram(instance);
            note = rename(instance);
            if (instance.effect().numPrograms > 1) copy(instance);
        } else {
            note = "no programs";
        }
    }
    restoreIntoFreshInstance(library);
    return note;
}

}  // namespace host
