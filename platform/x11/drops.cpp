// Drag and drop: no view of the editor takes drops, so the X11 backend speaks no drop protocol
// and a window is never registered as a drop target.
#include "platform/platform.h"

namespace platform {

bool registerDropTarget(Window*, DropReceiver*) { return false; }

void revokeDropTarget(Window*) {}

void initialiseDragAndDrop() {}

void uninitialiseDragAndDrop() {}

}  // namespace platform
