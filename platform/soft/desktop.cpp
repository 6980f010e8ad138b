// Resetting the scripted desktop between tests.
#include "platform/soft/desktop.h"
#include "platform/soft/windows.h"

namespace platform::soft {

void resetDesktop() {
    resetWindows();
    resetInput();
    resetClock();
    resetMessageBoxes();
    resetMenus();
    resetDragAndDrop();
    setWindowBlitHook({});
}

}  // namespace platform::soft
