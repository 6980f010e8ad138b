// threads: the audio thread automates parameters and renders while the control thread switches
// programs, reads their names, and opens, idles and closes the editor in a window it made itself;
// program switches happen while the editor is open.
#include "AudioThread.h"
#include "GuardedMemory.h"
#include "HostWindow.h"
#include "OpcodeTable.h"
#include "ValidationGroups.h"

#include <random>

namespace host {
namespace {

constexpr int kRounds = 400;
constexpr long kLeastBlocks = 400;
constexpr int kEditorEvery = 20;

}  // namespace

std::string checkThreads(const GroupContext& context) {
    ModuleLibrary library(context.module);
    Instance instance(library);
    const bool hasEditor = instance.effect().flags & effFlagsHasEditor;
    std::string reason;
    const auto window = hasEditor ? HostWindow::open(reason) : nullptr;
    const int32_t programs = instance.effect().numPrograms;

    AudioThread audio(instance.effect(), true);
    audio.waitForBlocks(1);
    std::mt19937 random(14);
    bool editorOpen = false;
    for (int round = 0; round < kRounds || audio.blocks() < kLeastBlocks; ++round) {
        if (programs > 0) {
            const int32_t program = static_cast<int32_t>(random() % static_cast<uint32_t>(programs));
            noteStep("round " + std::to_string(round) + ": effSetProgram " + std::to_string(program));
            instance.dispatch(effSetProgram, 0, program);
            GuardedText name(kProgramNameSize);
            instance.dispatch(effGetProgramName, 0, 0, name.data());
            name.check("effGetProgramName", "effGetProgramName during automation");
        }
        // The editor stays open for most of every kEditorEvery rounds, idled each round, as a
        // host idles an open editor; a host sends no editor calls while it is closed.
        if (window && round % kEditorEvery == 0) {
            noteStep("round " + std::to_string(round) + ": effEditOpen");
            instance.dispatch(effEditOpen, 0, 0, window->handle());
            editorOpen = true;
        } else if (editorOpen && round % kEditorEvery == kEditorEvery - 1) {
            noteStep("round " + std::to_string(round) + ": effEditClose");
            instance.dispatch(effEditClose);
            window->children();
            editorOpen = false;
        } else if (editorOpen) {
            noteStep("round " + std::to_string(round) + ": effEditIdle");
            instance.dispatch(effEditIdle);
        }
    }
    if (editorOpen) {
        noteStep("effEditClose after the last round");
        instance.dispatch(effEditClose);
    }
    noteStep("stopping the audio thread");
    audio.finish();
    std::string note = std::to_string(audio.blocks()) + " blocks rendered";
    if (hasEditor && !window) note += "; editor calls skipped: " + reason;
    return note;
}

}  // namespace host
