// A handle bitmap moving vertically over a background between two limits. Dragging sets the value
// in proportion to the handle's position (a fine mode while Shift is held); the wheel and the
// arrow keys step it.
#pragma once

#include "gui/CGuiSkinControl.h"

enum {
    kSliderZeroAtTop = 0x20,     // painting puts value 0 at the top (else 1 at the top)
    kSliderUpIncreases = 0x40,   // dragging upwards raises the value (else downwards does)
    kSliderNoKeySteps = 0x4000,  // either bit: the arrow keys do not step
    kSliderNoKeyStepsToo = 0x8000,
};

class CGuiVerticalSlider : public CGuiSkinControl {
public:
    // travelTop, travelBottom: frame coordinates of the topmost and lowest handle top. handleOffset:
    // the handle's left edge and vertical offset inside the control. keyedHandle draws it keyed.
    CGuiVerticalSlider(const CGuiRect& bounds, CGuiControlListener* listener, int tag, int travelTop,
                       int travelBottom, CGuiBitmap* skin, CGuiBitmap* highlightSkin, CGuiBitmap* handleSkin,
                       CGuiBitmap* highlightHandleSkin, CGuiPoint firstPoint, CGuiPoint handleOffset,
                       bool seeThrough, bool keyedHandle, int styleBits, float stepCount, int stepArgument);
    ~CGuiVerticalSlider() override;

    void paint(CGuiContext* context) override;
    void onMouseDown(CGuiContext* context, CGuiPoint point) override;
    bool onWheelTurned(CGuiContext* context, CGuiPoint point, float distance) override;
    void onArrowKey(int virtualKey, int32_t characterAndModifiers) override;

    // Added slots, in table order.
    virtual void setJumpToClick(bool jump);
    virtual bool jumpToClick();
    virtual void setFineDivisor(float divisor);
    virtual float fineDivisor();

    CGuiBitmap* handleSkin() const { return extraSkins[0]; }
    CGuiBitmap* highlightHandleSkin() const { return extraSkins[1]; }
    CGuiPoint& handleOffset() { return extraPoints[1]; }
    bool keyedHandle() const { return optionFlag; }

    int handleWidth;
    int handleHeight;
    int travelTop;
    int travelBottom;
    int handleTop;         // frame coordinate of the handle's top at the last paint
    int topLimit;          // highest handle top inside the control
    int bottomLimit;       // lowest handle bottom inside the control
    int controlWidth;
    int controlHeight;

private:
    void applyStep(float delta);

    float fineDivisor_ = 10.0f;
    bool jumpToClick_ = true;
};
