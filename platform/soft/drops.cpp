// Drag and drop: one receiver per window, fed by tests.
#include "platform/soft/desktop.h"
#include "platform/soft/windows.h"

#include <map>

namespace platform {
namespace {

std::map<const Window*, DropReceiver*> receivers;

// OLE is initialised per thread.
thread_local int initialisations = 0;
thread_local int uninitialisations = 0;

DropReceiver* receiverOf(Window* window) {
    auto found = receivers.find(soft::findWindow(window));
    return found == receivers.end() ? nullptr : found->second;
}

}  // namespace

namespace soft {

void resetDragAndDrop() {
    receivers.clear();
    initialisations = uninitialisations = 0;
}

void forgetDropTarget(const Window* window) { receivers.erase(window); }

DropEffect deliverDragEnter(Window* window, bool offersText, bool offersFiles, uint32_t keyState) {
    DropReceiver* receiver = receiverOf(window);
    return receiver ? receiver->dragEnter(offersText, offersFiles, keyState) : DropEffect::None;
}

DropEffect deliverDragOver(Window* window, uint32_t keyState) {
    DropReceiver* receiver = receiverOf(window);
    return receiver ? receiver->dragOver(keyState) : DropEffect::None;
}

void deliverDragLeave(Window* window) {
    if (DropReceiver* receiver = receiverOf(window)) receiver->dragLeave();
}

bool deliverDrop(Window* window, const DropPayload& payload) {
    DropReceiver* receiver = receiverOf(window);
    if (receiver) receiver->drop(payload);
    return receiver != nullptr;
}

bool hasDropTarget(Window* window) { return receiverOf(window) != nullptr; }

int dragAndDropInitialisations() { return initialisations; }
int dragAndDropUninitialisations() { return uninitialisations; }

}  // namespace soft

bool registerDropTarget(Window* window, DropReceiver* receiver) {
    Window* known = soft::findWindow(window);
    // As with OLE: only on an initialised thread, once per window.
    if (!known || !receiver || initialisations <= uninitialisations || receivers.count(known)) return false;
    receivers[known] = receiver;
    return true;
}

void revokeDropTarget(Window* window) { receivers.erase(soft::findWindow(window)); }

void initialiseDragAndDrop() { ++initialisations; }

void uninitialiseDragAndDrop() { ++uninitialisations; }

}  // namespace platform
