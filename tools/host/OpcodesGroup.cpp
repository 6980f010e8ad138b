// opcodes: every opcode the interface defines, sent the way a host that follows its rules sends
// it: after effOpen, with indices in range and sound values; rate, block size, arrangements and
// precision between a suspend and a resume; the editor's calls while it is open in a real window
// made on this thread; chunk, offline and shell calls only to modules that say they have them.
// Pointer arguments are objects of the published kind and size (texts as large as hosts give
// them), guarded by canaries. The hostile group sends the same opcodes with any arguments.
#include "HostWindow.h"
#include "OpcodeCall.h"
#include "ValidationAudio.h"
#include "ValidationGroups.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace host {
namespace {

constexpr int32_t kMostIndices = 64;  // parameters, programs or pins tried per opcode
constexpr int32_t kShellCategory = 10;
constexpr int32_t kEffGetChunk = 23;
constexpr int32_t kEffSetChunk = 24;
constexpr int32_t kEffSetTotalSampleToProcess = 73;
constexpr int32_t kEffSetPanLaw = 74;

std::vector<int32_t> indicesOf(Index kind, const AEffect& effect) {
    int32_t count = 1;
    switch (kind) {
    case Index::Any: break;
    case Index::Parameter: count = effect.numParams; break;
    case Index::Program: count = effect.numPrograms; break;
    case Index::Input: count = effect.numInputs; break;
    case Index::Output: count = effect.numOutputs; break;
    }
    std::vector<int32_t> indices;
    for (int32_t index = 0; index < std::min(count, kMostIndices); ++index) indices.push_back(index);
    return indices;
}

struct SoundArguments {
    intptr_t value = 0;
    float opt = 0.0f;
    const char* text = "";
};

SoundArguments soundArguments(int32_t opcode, const Instance& instance) {
    switch (opcode) {
    case effSetSampleRate: return {0, kValidationSampleRate};
    case effSetBlockSize: return {instance.blockSize(), 0.0f};
    case effSetBlockSizeAndSampleRate: return {instance.blockSize(), kValidationSampleRate};
    case kEffSetTotalSampleToProcess: return {instance.blockSize(), 0.0f};
    case kEffSetPanLaw: return {0, 1.0f};
    case effSetProgramName: return {0, 0.0f, "Validator 0123456789abc"};  // 23 characters, a host's most
    case effString2Parameter: return {0, 0.0f, "0.5"};
    case effCanDo: return {0, 0.0f, "receiveVstEvents"};
    default: return {};
    }
}

intptr_t call(Instance& instance, int32_t opcode, int32_t index, const SoundArguments& arguments, void* window = nullptr) {
    CallObjects objects(opcode, arguments.text, window);
    const intptr_t value = objects.value(arguments.value);
    const std::string what = describeCall(opcode, index, value, arguments.opt);
    noteStep(what);
    const intptr_t answer = instance.dispatch(opcode, index, value, objects.ptr(), arguments.opt);
    objects.check(answer, what);
    return answer;
}

bool says(Instance& instance, const char* capability) {
    char text[64];
    std::snprintf(text, sizeof text, "%s", capability);
    noteStep(std::string("effCanDo \"") + capability + "\"");
    return instance.dispatch(effCanDo, 0, 0, text) > 0;
}

// What a host does with chunks: it saves the bank's and the program's and gives them back.
void chunkRoundTrip(Instance& instance) {
    for (const int32_t index : {0, 1}) {
        CallObjects got(kEffGetChunk, "", nullptr);
        const std::string what = describeCall(kEffGetChunk, index, 0, 0.0f);
        noteStep(what);
        got.check(instance.dispatch(kEffGetChunk, index, 0, got.ptr()), what);
        if (got.chunk().empty()) continue;
        GuardedBuffer copy(got.chunk().size());
        std::memcpy(copy.data(), got.chunk().data(), copy.size());
        const std::string back = "effSetChunk (24) with index " + std::to_string(index) + " and the " +
                                 std::to_string(copy.size()) + " bytes effGetChunk gave";
        noteStep(back);
        instance.dispatch(kEffSetChunk, index, static_cast<intptr_t>(copy.size()), copy.data());
        copy.checkGuards(back);
    }
}

bool wanted(Call when, Instance& instance, bool offline, bool shell) {
    switch (when) {
    case Call::Any:
    case Call::Suspended:
        return true;
    case Call::Chunks:
        return instance.effect().flags & effFlagsProgramChunks;
    case Call::Offline:
        return offline;
    case Call::Shell:
        return shell;
    default:
        return false;  // Mains and Editor have steps of their own; Never is the hostile group's
    }
}

void sweep(Instance& instance) {
    const bool offline = says(instance, "offline");
    noteStep("effGetPlugCategory");
    const bool shell = instance.dispatch(effGetPlugCategory) == kShellCategory;
    for (int32_t opcode = 0; opcode <= kLastOpcode; ++opcode) {
        const OpcodeInfo& info = opcodeInfo(opcode);
        if (info.call == Call::Mains) {
            noteStep("effMainsChanged (12) with value 0, then 1");
            instance.suspend();
            instance.resume();
            continue;
        }
        if (!wanted(info.call, instance, offline, shell) || opcode == kEffSetChunk) continue;
        if (opcode == kEffGetChunk) {
            chunkRoundTrip(instance);
            continue;
        }
        if (opcode == effSetProgram && instance.effect().numPrograms == 0) continue;
        for (const int32_t index : indicesOf(info.index, instance.effect())) {
            if (info.call == Call::Suspended) instance.suspend();
            call(instance, opcode, index, soundArguments(opcode, instance));
            if (info.call == Call::Suspended) instance.resume();
        }
    }
}

// The editor's opcodes, in the order a host sends them while the editor is open.
void editorSession(Instance& instance, HostWindow& window) {
    call(instance, effEditGetRect, 0, {});
    call(instance, effEditOpen, 0, {}, window.handle());
    ERect* rect = nullptr;
    instance.dispatch(effEditGetRect, 0, 0, &rect);
    for (const int32_t opcode : {effEditTop, effEditIdle, effEditDraw, effEditMouse, effEditKey, effEditKeyDown,
                                 effEditKeyUp, effEditIdle, effEditSleep}) {
        call(instance, opcode, 0, {});
    }
    window.children();
    call(instance, effEditClose, 0, {});
    window.children();
}

}  // namespace

std::string checkOpcodes(const GroupContext& context) {
    ModuleLibrary library(context.module);
    Instance instance(library);
    sweep(instance);

    noteStep("rendering after the sweep");
    GuardedChannels inputs(instance.effect().numInputs, instance.blockSize());
    GuardedChannels outputs(instance.effect().numOutputs, instance.blockSize());
    fillTestSignal(inputs, 0);
    renderCall(instance.effect(), canReplace(instance.effect()), inputs, outputs, instance.blockSize(), "rendering after the sweep");
    checkOutput(outputs, instance.blockSize(), false, "rendering after the sweep");

    std::string note;
    if (instance.effect().flags & effFlagsHasEditor) {
        std::string reason;
        const auto window = HostWindow::open(reason);
        if (window) {
            editorSession(instance, *window);
        } else {
            call(instance, effEditGetRect, 0, {});
            note = "the editor's opcodes skipped: " + reason;
        }
    }
    noteStep("effClose");
    return note;
}

}  // namespace host
