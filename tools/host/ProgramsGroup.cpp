// programs: every program selected and read back (name and values); renamed with a name of 23
// characters, the most a host sends; copied; and a state restored into a fresh instance the way
// hosts restore one (through the chunk when the module keeps chunks, else by selecting the program
// and replaying the parameters) gives the same output bits, unless two instances given the same
// state render different bits anyway.
#include "OpcodeTable.h"
#include "ValidationAudio.h"
#include "ValidationGroups.h"

#include <cmath>
#include <cstring>
#include <random>

namespace host {
namespace {

constexpr int kCompareBlocks = 16;
constexpr float kStableTolerance = 1e-4f;  // as the parameters group allows a value set again

std::string programName(Instance& instance, const std::string& what) {
    GuardedText text(kProgramNameSize);
    instance.dispatch(effGetProgramName, 0, 0, text.data());
    text.check("effGetProgramName", what);
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
        GuardedText indexed(kProgramNameSize);
        const std::string what = "effGetProgramNameIndexed " + std::to_string(program);
        noteStep(what);
        if (instance.dispatch(effGetProgramNameIndexed, program, 0, indexed.data()) == 1) {
            indexed.check("effGetProgramNameIndexed", what);
            if (name != indexed.text())
                throw CheckFailed(what + " answers \"" + indexed.text() + "\", effGetProgramName \"" + name + "\"");
        }
        readValues(instance, "program " + std::to_string(program));
    }
}

// Answers a note when the module keeps no names: fixed names are its own business.
std::string rename(Instance& instance) {
    char name[] = "Validator 0123456789abc";  // 23 characters, the most a host's buffer holds
    noteStep("effSetProgramName");
    instance.dispatch(effSetProgramName, 0, 0, name);
    const std::string kept = programName(instance, "effGetProgramName after a rename");
    return kept == name ? "" : "program names are not kept";
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

// The user's state: a program and then every parameter moved.
void giveState(Instance& instance, int32_t program, const std::vector<float>& values) {
    if (program >= 0) instance.dispatch(effSetProgram, 0, program);
    for (int32_t index = 0; index < instance.effect().numParams; ++index)
        instance.setParameter(index, values[static_cast<size_t>(index)]);
}

// What a host keeps of a chunk module: the bank's chunk, read back into a fresh instance.
void restoreChunk(Instance& original, Instance& restored) {
    noteStep("effGetChunk of the saved state");
    void* data = nullptr;
    const intptr_t size = original.dispatch(23 /* effGetChunk */, 0, 0, &data);
    if (size <= 0 || !data) throw CheckFailed("a module that keeps chunks gave none for its state");
    GuardedBuffer copy(static_cast<size_t>(size));
    std::memcpy(copy.data(), data, copy.size());
    noteStep("effSetChunk of the saved state into a fresh instance");
    restored.dispatch(24 /* effSetChunk */, 0, size, copy.data());
    copy.checkGuards("effSetChunk of the saved state");
}

// Answers a note when the module renders different bits for the same state, so that the restore
// cannot be judged by them.
std::string restoreIntoFreshInstance(ModuleLibrary& library) {
    noteStep("state restored into a fresh instance");
    // Each instance gets its state before it is resumed, as a host that loads a project gives it.
    Instance original(library, kValidationSampleRate, kValidationBlockSize, false);
    const int32_t program = std::min(3, original.effect().numPrograms - 1);
    std::mt19937 random(1414);
    std::uniform_real_distribution<float> anyValue(0.0f, 1.0f);
    std::vector<float> values;
    for (int32_t index = 0; index < original.effect().numParams; ++index) values.push_back(anyValue(random));
    // The state a host saves is what the module reports: given back, it must be a state again.
    giveState(original, program, values);
    const std::vector<float> reported = readValues(original, "the saved state");
    giveState(original, -1, reported);
    Instance twin(library, kValidationSampleRate, kValidationBlockSize, false);
    giveState(twin, program, values);
    giveState(twin, -1, reported);

    Instance restored(library, kValidationSampleRate, kValidationBlockSize, false);
    const bool chunks = original.effect().flags & effFlagsProgramChunks;
    if (chunks) {
        restoreChunk(original, restored);
    } else {
        giveState(restored, program, readValues(original, "the saved state"));
    }
    for (Instance* instance : {&original, &twin, &restored}) instance->resume();

    noteStep("rendering the saved state");
    const std::vector<float> expected = renderStream(original.effect(), kCompareBlocks, original.blockSize());
    noteStep("rendering a second instance given the saved state");
    const std::vector<float> again = renderStream(twin.effect(), kCompareBlocks, twin.blockSize());
    noteStep(std::string("rendering the state restored ") + (chunks ? "through the chunk" : "by program and parameters"));
    const std::vector<float> actual = renderStream(restored.effect(), kCompareBlocks, restored.blockSize());
    if (firstDifference(expected, again) != expected.size())
        return "two instances given the same state render different bits: the restore not compared";
    const size_t first = firstDifference(expected, actual);
    if (first == expected.size()) return "";
    const std::string failure = std::string("the state restored into a fresh instance ") +
                                (chunks ? "through its chunk" : "by its program and parameters") +
                                " renders other bits (first at sample " + std::to_string(first) + " of the stream)";
    // A parameter that comes back a rounding away is a loss of precision, not of the state.
    const std::vector<float> saved = readValues(original, "the saved state");
    const std::vector<float> back = readValues(restored, "the restored state");
    size_t worst = 0;
    for (size_t index = 1; index < saved.size(); ++index)
        if (std::fabs(saved[index] - back[index]) > std::fabs(saved[worst] - back[worst])) worst = index;
    const float difference = saved.empty() ? 0.0f : std::fabs(saved[worst] - back[worst]);
    if (difference == 0.0f || difference > kStableTolerance) throw CheckFailed(failure);
    reportWarning("restore precision", failure + ": parameter " + std::to_string(worst) + " reads " +
                                           std::to_string(back[worst]) + ", was " + std::to_string(saved[worst]));
    return "";
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
    const std::string restore = restoreIntoFreshInstance(library);
    return note.empty() || restore.empty() ? note + restore : note + "; " + restore;
}

}  // namespace host
