#include "shell/AEffEditorBase.h"

#include "shell/AEffPluginX.h"

AEffEditorBase::AEffEditorBase(AEffPluginX* effect) : effect(effect), systemWindow(nullptr), updatePending(0) {
    effect->editor = this;
    effect->effectRecord.flags |= effFlagsHasEditor;
}

AEffEditorBase::~AEffEditorBase() = default;

intptr_t AEffEditorBase::getEditorRect(ERect** rect) {
    if (rect) *rect = nullptr;
    return 0;
}

intptr_t AEffEditorBase::open(void* window) {
    systemWindow = window;
    return 0;
}

void AEffEditorBase::close() {}

void AEffEditorBase::idle() {
    if (updatePending.exchange(0, std::memory_order_relaxed)) onUpdate();
}

void AEffEditorBase::onUpdate() {}
void AEffEditorBase::postUpdate() { updatePending.store(1, std::memory_order_relaxed); }
int32_t AEffEditorBase::keyDown(VstKeyCode&) { return -1; }
int32_t AEffEditorBase::keyUp(VstKeyCode&) { return -1; }
int32_t AEffEditorBase::setKnobMode(int32_t) { return 0; }
bool AEffEditorBase::wheelTurned(float) { return false; }
