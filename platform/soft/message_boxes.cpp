// Message boxes are recorded and written to standard error; nothing blocks.
#include "platform/soft/desktop.h"
#include "platform/soft/windows.h"

#include <cstdio>
#include <mutex>

namespace platform {
namespace {

// The effect may show a box from the audio thread.
std::mutex recordMutex;
std::vector<soft::ShownMessageBox> shown;

}  // namespace

namespace soft {

void resetMessageBoxes() { clearMessageBoxes(); }

std::vector<ShownMessageBox> messageBoxesShown() {
    std::lock_guard lock(recordMutex);
    return shown;
}

void clearMessageBoxes() {
    std::lock_guard lock(recordMutex);
    shown.clear();
}

}  // namespace soft

void showMessageBox(const char* text, const char* title) {
    std::string boxText = text ? text : "";
    std::fprintf(stderr, "Error: %s\n", boxText.c_str());
    std::lock_guard lock(recordMutex);
    shown.push_back({std::move(boxText), title ? title : ""});
}

}  // namespace platform
