#include "gui/AEffGUIEditor.h"

#include <vector>

#include "gui/CGuiControl.h"
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

// The size at the scale the editor has when open, or would open at now; at 100 % the derived
// editor's own rectangle, as always.
intptr_t AEffGUIEditor::getEditorRect(ERect** rect) {
    const CGuiScale scale = frame ? frame->scale() : chooseEditorScale(systemWindow);
    if (scale.isIdentity()) {
        if (rect)
            *rect = &editorRect;
        return 1;
    }
    scaledRect_ = {static_cast<int16_t>(scale.toDevice(editorRect.top)),
                   static_cast<int16_t>(scale.toDevice(editorRect.left)),
                   static_cast<int16_t>(scale.toDevice(editorRect.bottom)),
                   static_cast<int16_t>(scale.toDevice(editorRect.right))};
    if (rect)
        *rect = &scaledRect_;
    return 1;
}

CGuiScale AEffGUIEditor::chooseEditorScale(void* hostWindow) {
    ScaleSources sources;
    sources.user = environmentScale();
    if (sources.user == 0.0f)
        sources.user = readStoredScale(settingsFile);
    sources.host = hostScale_;
    if (sources.user == 0.0f && sources.host == 0.0f)
        sources.system = platform::systemScale(hostWindow);
    return CGuiScale(chooseScale(sources));
}

bool AEffGUIEditor::setHostContentScale(float factor) {
    if (factor != 0.0f && !(factor >= CGuiScale::kSmallest && factor <= CGuiScale::kLargest))
        return false;
    hostScale_ = factor;
    applyScale();
    return true;
}

void AEffGUIEditor::setUserScale(float factor) {
    storeScale(settingsFile, factor);
    applyScale();
}

void AEffGUIEditor::applyScale() {
    if (!frame || !frame->window())
        return;
    const CGuiScale scale = chooseEditorScale(systemWindow);
    if (scale == frame->scale())
        return;
    // Hosts that can resize their window answer audioMasterCanDo "sizeWindow" with 1 and agree here.
    if (effect->sizeWindow(scale.toDevice(editorRect.right - editorRect.left),
                           scale.toDevice(editorRect.bottom - editorRect.top)))
        frame->setScale(scale);
}

namespace {

struct ScaleMenuEntry {
    const char* text;
    float factor;  // 0: automatic
};
constexpr ScaleMenuEntry kScaleMenu[] = {{"Automatic", 0.0f}, {"100 %", 1.0f},  {"125 %", 1.25f}, {"150 %", 1.5f},
                                         {"175 %", 1.75f},    {"200 %", 2.0f},  {"250 %", 2.5f},  {"300 %", 3.0f}};

}  // namespace

void AEffGUIEditor::showScaleMenu(const CGuiPoint& point) {
    if (!frame || !frame->window())
        return;
    float chosen = environmentScale();
    if (chosen == 0.0f)
        chosen = readStoredScale(settingsFile);
    std::vector<platform::MenuItem> items;
    for (int i = 0; i < static_cast<int>(sizeof kScaleMenu / sizeof kScaleMenu[0]); ++i)
        items.push_back({i + 1, kScaleMenu[i].text, kScaleMenu[i].factor == chosen});
    // The menu's loop keeps the host alive; a host that closes the editor from that idle must
    // leave the frame alive until the press has returned through it, as during a drag.
    const bool tracking = gMouseTracking;
    gMouseTracking = true;
    const int command =
        platform::trackPopupMenu(frame->window(), items, frame->screenPoint(point),
                                 platform::kMenuNoNotify | platform::kMenuReturnCommand, frame->scale().factor());
    gMouseTracking = tracking;
    if (command >= 1 && command <= static_cast<int>(items.size()))
        setUserScale(kScaleMenu[command - 1].factor);
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
