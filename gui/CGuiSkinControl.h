// The base of every bitmap-skinned control of the editor: extra skins and points for the derived
// controls, style bits, stepping, the keyboard highlight and the mouse-over mark.
#pragma once

#include "gui/CGuiControl.h"
#include "shell/vst2.h"

// Replaces the built-in stepping of a control when set: the new value for a step of `delta`.
using StepFunction = float (*)(float delta, float value, float stepCount, int stepArgument);

class CGuiSkinControl : public CGuiControl {
public:
    // Every skin is retained here and released at destruction; any may be null.
    CGuiSkinControl(const CGuiRect& bounds, CGuiControlListener* listener, int tag, CGuiBitmap* skin,
                    CGuiBitmap* highlightSkin, CGuiBitmap* extraSkin0, CGuiBitmap* extraSkin1, CGuiBitmap* extraSkin2,
                    CGuiPoint extraPoint0, CGuiPoint extraPoint1, bool seeThrough, bool optionFlag, int styleBits,
                    float stepCount, bool wantsIdleTick, int stepArgument);
    ~CGuiSkinControl() override;

    // Added slots, in table order.
    virtual void setKeyedSkin(bool keyed);  // the see-through flag
    virtual bool keyedSkin();
    virtual void onArrowKey(int virtualKey, int32_t characterAndModifiers);  // keys 11..14
    virtual void highlight();
    virtual void unhighlight();
    virtual void onMouseEnter();
    virtual void onMouseLeave();
    virtual void onIdleTick();

    // One step of `delta` through the step function, or to the next of stepCount even steps across
    // the range; then clampValue. Callers check first that stepping is allowed and stepCount not 0.
    void stepValue(float delta);

    // The arrow keys step the value, each step through `step`: up once, right twice, down once
    // back, left twice back; then the listener hears of a changed value. Other keys do nothing.
    template <typename Step>
    void stepForArrowKey(int virtualKey, Step step) {
        const float delta = virtualKey == VKEY_UP || virtualKey == VKEY_RIGHT ? 1.0f : -1.0f;
        const int steps = virtualKey == VKEY_UP || virtualKey == VKEY_DOWN ? 1
                          : virtualKey == VKEY_RIGHT || virtualKey == VKEY_LEFT ? 2
                                                                                : 0;
        if (steps == 0)
            return;
        for (int i = 0; i < steps; ++i)
            step(delta);
        notifyKeyChange();
    }
    // Tells the listener, without a context, when a key changed the value.
    void notifyKeyChange();

    StepFunction stepFunction = nullptr;
    CGuiBitmap* highlightSkin;  // drawn instead of the skin while highlighted
    CGuiBitmap* extraSkins[3];  // their roles belong to the derived controls
    CGuiPoint extraPoints[2];
    bool optionFlag;  // a drawing option of the derived control
    bool isHighlighted = false;
    bool isMouseOver = false;
    int styleBits;
    float stepCount;  // steps across the range
    int stepArgument;  // passed to stepFunction
    bool wantsIdleTick;  // the editor calls onIdleTick at every idle

protected:
    // Paints image `index` of the strip of images `imageHeight` tall that the skin (the highlight
    // skin while highlighted) holds from the source offset extraPoints[0] down.
    void paintStripImage(CGuiContext* context, int index, int imageHeight);
};
