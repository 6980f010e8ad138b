// Drop target registration and the per-thread OLE initialisation it needs.
#include <windows.h>
#include <ole2.h>

#include "platform/win32/drop_target.h"
#include "platform/win32/handles.h"

namespace platform {

namespace {

// Initialisations of this thread that succeeded. OleInitialize fails on a thread the host has
// put into the multithreaded apartment; such a call must not be matched by OleUninitialize,
// which would undo the host's own initialisation.
thread_local unsigned successfulInitialisations = 0;

}  // namespace

bool registerDropTarget(Window* window, DropReceiver* receiver) {
    if (window == nullptr || receiver == nullptr) return false;
    auto* target = new win32::DropTarget(receiver);
    // RegisterDragDrop keeps its own reference; without it the object is freed here.
    target->AddRef();
    const bool registered = SUCCEEDED(RegisterDragDrop(win32::toHandle(window), target));
    target->Release();
    return registered;
}

void revokeDropTarget(Window* window) {
    if (window != nullptr) RevokeDragDrop(win32::toHandle(window));
}

void initialiseDragAndDrop() {
    if (SUCCEEDED(OleInitialize(nullptr))) ++successfulInitialisations;
}

void uninitialiseDragAndDrop() {
    if (successfulInitialisations == 0) return;
    --successfulInitialisations;
    OleUninitialize();
}

}  // namespace platform
