// editor: effEditGetRect, then 20 rounds of opening the editor in a host window, idling and
// closing it while audio runs. Closing must leave no window of the editor behind.
#include "AudioThread.h"
#include "GuardedMemory.h"
#include "HostWindow.h"
#include "ValidationGroups.h"

#include <chrono>
#include <cstring>
#include <thread>

namespace host {
namespace {

constexpr int kRounds = 20;
constexpr int kIdles = 5;
constexpr int kLargestEditor = 8192;

// Answers the editor's size as "W x H", or empty when it gives no rectangle.
std::string editorRect(Instance& instance, const std::string& when) {
    GuardedBuffer slot(sizeof(ERect*));
    const std::string what = "effEditGetRect " + when;
    noteStep(what);
    instance.dispatch(effEditGetRect, 0, 0, slot.data());
    slot.checkGuards(what);
    ERect* rect = nullptr;
    std::memcpy(&rect, slot.data(), sizeof rect);
    if (!rect) return "";
    const int width = rect->right - rect->left;
    const int height = rect->bottom - rect->top;
    if (width <= 0 || height <= 0 || width > kLargestEditor || height > kLargestEditor)
        throw CheckFailed(what + " gave a rectangle of " + std::to_string(width) + " x " + std::to_string(height));
    return std::to_string(width) + " x " + std::to_string(height);
}

}  // namespace

std::string checkEditor(const GroupContext& context) {
    ModuleLibrary library(context.module);
    Instance instance(library);
    if (!(instance.effect().flags & effFlagsHasEditor)) return "skipped: the module has no editor";
    std::string reason;
    const auto window = HostWindow::open(reason);
    if (!window) return "skipped: no display (" + reason + ")";

    const std::string size = editorRect(instance, "before opening");
    AudioThread audio(instance.effect(), false);
    audio.waitForBlocks(1);
    for (int round = 1; round <= kRounds; ++round) {
        noteStep("round " + std::to_string(round) + ": effEditOpen");
        instance.dispatch(effEditOpen, 0, 0, window->handle());
        editorRect(instance, "while open");
        for (int idle = 0; idle < kIdles; ++idle) {
            noteStep("round " + std::to_string(round) + ": effEditIdle");
            instance.dispatch(effEditIdle);
            window->children();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        noteStep("round " + std::to_string(round) + ": effEditClose");
        instance.dispatch(effEditClose);
        if (const int left = window->children())
            throw CheckFailed("effEditClose left " + std::to_string(left) + " windows in the host window (round " +
                              std::to_string(round) + ")");
    }
    audio.finish();
    return size.empty() ? "effEditGetRect gives no rectangle" : "editor " + size;
}

}  // namespace host
