#include "editor/CEffectEditor.h"

#include <stdexcept>

#include "editor/ErrorBoxes.h"
#include "editor/LayoutControls.h"
#include "editor/StepFunctions.h"
#include "effect/ParameterTable.h"
#include "gui/CGuiBitmap.h"
#include "gui/CGuiFrame.h"
#include "gui/CGuiSkinControl.h"
#include "platform/platform.h"
#include "shell/AEffPluginX.h"

namespace {

constexpr uint32_t kTickMs = 100;  // arrow keys step and idle ticks run at most this often
constexpr int kBackgroundIndex = skinIndex(101);

// Stage numbers and texts of the user-change message box.
enum { kStageStart = 0, kStageAutomated = 1, kStageRefresh = 3 };
const char* stageText(int stage) {
    switch (stage) {
    case kStageAutomated:
        return "before automated";
    case kStageRefresh:
        return "after single update";
    default:
        return "start";
    }
}

// Counts a setParameter call while it runs, so that close can wait until none is left inside.
class CallInside {
public:
    explicit CallInside(std::atomic<int>& count) : count_(count) { count_.fetch_add(1); }
    ~CallInside() { count_.fetch_sub(1); }

private:
    std::atomic<int>& count_;
};

}  // namespace

CEffectEditor::CEffectEditor(AEffPluginX* effect) : AEffGUIEditor(effect), lastTick(platform::tickCount()) {
    for (int i = 1; i <= kSkinBitmapCount; ++i)
        bitmaps[i] = new CGuiBitmap(kSkinResourceBase + i);
    editorRect.top = 0;
    editorRect.left = 0;
    editorRect.bottom = static_cast<int16_t>(bitmaps[kBackgroundIndex]->height());
    editorRect.right = static_cast<int16_t>(bitmaps[kBackgroundIndex]->width());
}

CEffectEditor::~CEffectEditor() {
    if (frame)
        close();
    releaseRetiredFrame();
    for (CGuiBitmap*& bitmap : bitmaps) {
        releaseBitmap(bitmap);
        bitmap = nullptr;
    }
}

intptr_t CEffectEditor::open(void* window) {
    releaseRetiredFrame();
    if (frame)
        close();  // a host that opens twice gets one frame
    AEffGUIEditor::open(window);
    CGuiBitmap* background = bitmaps[kBackgroundIndex];
    frame = new CGuiFrame({0, 0, background->width(), background->height()}, window, this, chooseEditorScale(window));
    if (window && !frame->window()) {
        // A parent the window system does not know (a host bug): nothing opens.
        delete frame;
        frame = nullptr;
        return 0;
    }
    frame->setSkin(background);
    // The skin's pixels for the screen's scale now, not in the middle of the first paint.
    for (CGuiBitmap* bitmap : bitmaps) {
        if (bitmap)
            bitmap->surfaceFor(frame->scale());
    }
    buildControls();
    isOpen.store(true);
    return 1;
}

void CEffectEditor::buildControls() {
    for (int i = 0; i < kEditorControlCount; ++i) {
        const ControlLayout& record = kEditorLayout[i];
        CGuiSkinControl* control =
            createLayoutControl(kEditorLayout, i, this, bitmaps, kSkinBitmapCount + 1, controls);
        if (!control)
            continue;
        control->stepFunction = stepFunctionAt(record.stepFunction);
        const bool parameter = record.tag >= 0;
        control->setCurrentValue(parameter ? effect->getParameter(record.tag) : record.defaultValue);
        control->setResetValue(parameter && record.tag < kNumParameters ? kParameterTable[record.tag].defaultValue
                                                                          : record.defaultValue);
        controls[i] = control;
        frame->attachView(control);
    }
}

// A host may close the editor from inside the idle that a control's drag loop pumps. The views
// then leave the frame, which ends the loop at its next pass, but the frame and the views stay
// alive until the loop has returned through them: they go at the next idle, open or close.
void CEffectEditor::close() {
    isOpen.store(false);
    while (parameterCallsInside_.load() != 0) {
        // A host's audio thread is inside setParameter; it only stores values and leaves at once.
    }
    for (CGuiSkinControl*& control : controls)
        control = nullptr;
    if (!frame)
        return;
    if (gMouseTracking) {
        releaseRetiredFrame();
        for (int i = 0; i < frame->viewCount(); ++i)
            retiredViews_.push_back(frame->viewAt(i));
        frame->detachAllViews(false);
        frame->destroyWindow();  // the host sees the editor go at once
        retiredFrame_ = frame;
    } else {
        delete frame;
    }
    frame = nullptr;
}

void CEffectEditor::releaseRetiredFrame() {
    if (!retiredFrame_ || gMouseTracking)
        return;
    for (CGuiView* view : retiredViews_)
        view->release();
    retiredViews_.clear();
    delete retiredFrame_;
    retiredFrame_ = nullptr;
}

int32_t CEffectEditor::keyDown(VstKeyCode&) {
    return 1;
}

void CEffectEditor::setParameter(int32_t index, float value) {
    CallInside inside(parameterCallsInside_);
    postUpdate();  // the idle learns of every change, open or closed
    if (!isOpen.load() || !frame)
        return;
    try {
        for (int i = 0; i < kEditorControlCount; ++i) {
            if (controls[i] && kEditorLayout[i].tag == index)
                controls[i]->setCurrentValue(value);
        }
    } catch (...) {
        showErrorBox("CEffect::setParameter function!\nDEBUG INFO: %d\nID: %d\nValue: %2.5f\n", 2, index,
                     static_cast<double>(value));
    }
}

intptr_t CEffectEditor::spareSlot() {
    return 0;
}

void CEffectEditor::valueChanged(CGuiContext* context, CGuiControl* control) {
    const int tag = control->tagId;
    const float value = control->currentValue();
    int stage = kStageStart;
    try {
        if (tag < 0) {
            setParameter(tag, value);
        } else if (tag < kNumParameters) {
            stage = kStageAutomated;
            effect->setParameterAutomated(tag, value);
        }
        if (context) {
            // Every control of the parameter repaints at once, within the same mouse gesture.
            for (int i = 0; i < kEditorControlCount; ++i) {
                if (controls[i] && kEditorLayout[i].tag == tag) {
                    stage = kStageRefresh;
                    controls[i]->refresh(context);
                }
            }
        }
    } catch (...) {
        showErrorBox("CEffectEditor::valueChanged function!\nDEBUG INFO: %d:%d\nTag: %d\nValue: %2.5f\n%s", stage,
                     isOpen.load() ? 1 : 0, tag, static_cast<double>(value), stageText(stage));
    }
}

bool CEffectEditor::hasFocus() {
    platform::Window* own = frame ? frame->window() : nullptr;
    if (!own)
        return false;
    platform::Window* focus = platform::focusWindow();
    return focus && (focus == own || focus == frame->findHostWindow());
}

void CEffectEditor::forEachOfTag(int index, void (*action)(CGuiSkinControl*)) {
    const int tag = kEditorLayout[index].tag;
    for (int i = 0; i < kEditorControlCount; ++i) {
        if (controls[i] && kEditorLayout[i].tag == tag)
            action(controls[i]);
    }
}

// The control under the mouse and the other controls of its parameter light up together while
// the editor has the focus; without the focus everything goes dark.
void CEffectEditor::trackHover(bool focused) {
    CGuiPoint mouse;
    frame->readMousePoint(mouse);
    previousHoverIndex = hoverIndex;
    hoverIndex = -1;
    for (int i = 0; i < kEditorControlCount; ++i) {
        if (!controls[i])
            continue;
        CGuiRect area;
        controls[i]->getMouseArea(area);
        if (area.contains(mouse)) {
            hoverIndex = i;
            break;
        }
    }
    if (hoverIndex == previousHoverIndex && (focused || hoverIndex == -1))
        return;
    if (previousHoverIndex != -1 && controls[previousHoverIndex]) {
        controls[previousHoverIndex]->onMouseLeave();
        forEachOfTag(previousHoverIndex, [](CGuiSkinControl* control) { control->unhighlight(); });
    }
    if (hoverIndex != -1 && focused) {
        controls[hoverIndex]->onMouseEnter();
        forEachOfTag(hoverIndex, [](CGuiSkinControl* control) { control->highlight(); });
    }
    if (!focused)
        hoverIndex = -1;
}

void CEffectEditor::pollArrowKeys() {
    struct Arrow {
        platform::Key key;
        int virtualKey;
    };
    static constexpr Arrow kArrows[4] = {{platform::Key::ArrowLeft, VKEY_LEFT},
                                         {platform::Key::ArrowRight, VKEY_RIGHT},
                                         {platform::Key::ArrowUp, VKEY_UP},
                                         {platform::Key::ArrowDown, VKEY_DOWN}};
    bool held[4];
    for (int i = 0; i < 4; ++i)
        held[i] = platform::isKeyHeld(kArrows[i].key);
    for (int i = 0; i < 4; ++i) {
        // A step may close nothing, but it may report to the host: look the control up each time.
        if (held[i] && hoverIndex != -1 && controls[hoverIndex])
            controls[hoverIndex]->onArrowKey(kArrows[i].virtualKey, 0);
    }
}

void CEffectEditor::idle() {
    try {
        releaseRetiredFrame();
        const uint32_t now = platform::tickCount();
        const bool tickPass = now - lastTick >= kTickMs;  // the difference survives the tick's wrap
        if (tickPass)
            lastTick = now;
        const bool focused = hasFocus();
        if (frame && !(gMouseTracking && hoverIndex != -1))
            trackHover(focused);
        if (tickPass) {
            for (CGuiSkinControl* control : controls) {
                if (control && control->wantsIdleTick)
                    control->onIdleTick();
            }
        }
        try {
            AEffGUIEditor::idle();
        } catch (const std::exception& fault) {
            showErrorBoxes("Oh No! Error in AEffGUIEditor::idle() function!", &fault);
        } catch (...) {
            showErrorBoxes("Oh No! Error in AEffGUIEditor::idle() function!", nullptr);
        }
        if (tickPass && focused) {
            try {
                pollArrowKeys();
            } catch (const std::exception& fault) {
                showErrorBoxes("Oh No! Error in idle key() function!", &fault);
            } catch (...) {
                showErrorBox("Oh No! Error in idle key() function!\nControl: %d\n", hoverIndex);
            }
        }
    } catch (const std::exception& fault) {
        showErrorBoxes("Oh No! Error in idle key() function XXX!", &fault);
    } catch (...) {
        showErrorBoxes("Oh No! Error in idle key() function XXX!", nullptr);
    }
}
