// The effect's editor: owns the 28 skin bitmaps, builds the frame and the 23 controls of the
// layout when the host opens it, mirrors parameter changes into the controls, sends the user's
// changes to the effect as automated changes, and in its idle lights up the controls under the
// mouse and turns held arrow keys into steps. A fault in any stage ends in a message box.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "editor/EditorLayout.h"
#include "gui/AEffGUIEditor.h"
#include "gui/CGuiControlListener.h"

class CGuiBitmap;
class CGuiFrame;
class CGuiView;
class CGuiSkinControl;

class CEffectEditor : public AEffGUIEditor, public CGuiControlListener {
public:
    explicit CEffectEditor(AEffPluginX* effect);  // loads the skin; opens no window
    ~CEffectEditor() override;                     // releases the skin

    intptr_t open(void* window) override;  // answers 1
    void close() override;
    void idle() override;
    int32_t keyDown(VstKeyCode& keyCode) override;  // 1: the arrow keys are polled in idle
    // From the effect, on any thread: every control of that parameter takes the value.
    void setParameter(int32_t index, float value) override;
    virtual intptr_t spareSlot();  // 0

    void valueChanged(CGuiContext* context, CGuiControl* control) override;

    // Control i is built from kEditorLayout[i] while the editor is open, null otherwise.
    CGuiSkinControl* controls[kEditorControlCount] = {};
    // Entry i (1..28) is resource 100 + i; entry 0, the index of no bitmap, stays null.
    CGuiBitmap* bitmaps[kSkinBitmapCount + 1] = {};
    int previousHoverIndex = -1;
    int hoverIndex = -1;
    uint32_t lastTick;  // of the last 100 ms idle step
    std::atomic<bool> isOpen{false};

private:
    void buildControls();
    bool hasFocus();
    void trackHover(bool focused);
    void forEachOfTag(int index, void (*action)(CGuiSkinControl*));
    void pollArrowKeys();
    void releaseRetiredFrame();

    // setParameter calls running right now: close waits for them before the controls go.
    std::atomic<int> parameterCallsInside_{0};
    // A frame closed during a drag, kept with its views until the drag loop has returned.
    CGuiFrame* retiredFrame_ = nullptr;
    std::vector<CGuiView*> retiredViews_;
};
