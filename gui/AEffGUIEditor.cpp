#include "gui/AEffGUIEditor.h"

#include "gui/CGuiFrame.h"
#include "platform/platform.h"
#include "shell/AEffPluginX.h"

namespace {

constexpr uint32_t kPumpSleepMs = 4;      // each early pass sleeps this long
constexpr uint32_t kPumpWindowMs = 50;    // an idle runs once the next idle time is this close
constexpr uint32_t kPumpIntervalMs = 100;

// Tick counts wrap after about 49 days; the signed difference stays right across the wrap.
bool isBefore(uint32_t tick, uint32_t other) {
    return static_cast<int32_t>(tick - other) < 0;
}

}  // namespace

AEffGUIEditor::AEffGUIEditor(AEffPluginX* effect) : AEffEditorBase(effect), nextIdleTime(platform::tickCount()) {
    platform::initialiseDragAndDrop();
}

AEffGUIEditor::~AEffGUIEditor() {
    platform::uninitialiseDragAndDrop();
}

intptr_t AEffGUIEditor::getEditorRect(ERect** rect) {
    if (rect)
        *rect = &editorRect;
    return 1;
}

intptr_t AEffGUIEditor::open(void* window) {
    postUpdate();
    systemWindow = window;
    return 0;
}

void AEffGUIEditor::idle() {
    platform::processPendingEvents();
    if (inIdlePump)
        return;  // the host's idle call from inside a drag loop must not repaint under the drag
    AEffEditorBase::idle();
    if (frame)
        frame->refreshIfNeeded();
}

int32_t AEffGUIEditor::keyDown(VstKeyCode& keyCode) {
    return frame ? frame->onKeyPressed(keyCode) : -1;
}

int32_t AEffGUIEditor::keyUp(VstKeyCode& keyCode) {
    return frame ? frame->onKeyReleased(keyCode) : -1;
}

int32_t AEffGUIEditor::setKnobMode(int32_t) {
    return 1;
}

bool AEffGUIEditor::wheelTurned(float distance) {
    return frame ? frame->onWheelTurned(nullptr, {0, 0}, distance) : false;
}

void AEffGUIEditor::setParameter(int32_t, float) {
    postUpdate();
}

void AEffGUIEditor::repaintAll() {
    if (frame)
        frame->repaintView(nullptr);
}

void AEffGUIEditor::idlePump() {
    platform::processPendingEvents();  // a release that ends the drag, paints, what the drag drew
    uint32_t now = platform::tickCount();
    if (isBefore(now, nextIdleTime)) {
        platform::sleepMilliseconds(kPumpSleepMs);
        now += kPumpSleepMs;  // not read again
        if (isBefore(now + kPumpWindowMs, nextIdleTime))
            return;
    }
    idle();
    platform::dispatchOnePendingPaint();
    nextIdleTime = now + kPumpIntervalMs;
    inIdlePump = true;
    effect->masterIdle();
    inIdlePump = false;
}
