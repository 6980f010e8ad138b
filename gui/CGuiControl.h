// A view holding a value in a range, a tag (the parameter index it stands for) and a listener
// told of user changes. Repaints are due while the value differs from the value last painted.
#pragma once

#include "gui/CGuiControlListener.h"
#include "gui/CGuiView.h"

class CGuiBitmap;

// Set by a control while it tracks a mouse drag or shows a popup menu; the editor's idle reads it.
extern bool gMouseTracking;

// A value limited to 0..1, NaN as 0: what controls draw with, whatever a host has sent.
inline float drawingFraction(float value) {
    return value > 0.0f ? (value < 1.0f ? value : 1.0f) : 0.0f;
}

class CGuiControl : public CGuiView {
public:
    CGuiControl(const CGuiRect& bounds, CGuiControlListener* listener, int tag, CGuiBitmap* skin);
    ~CGuiControl() override;  // releases the skin

    void paint(CGuiContext* context) override = 0;
    // Paints when needed; the value counts as painted only as it was before the paint began.
    void refresh(CGuiContext* context) override;
    bool needsRepaint() override;
    void markRepaint(bool repaint) override;

    // Added slots, in table order.
    virtual void pumpEditorIdle();  // keeps the host alive inside a modal drag loop
    virtual void setCurrentValue(float value);
    virtual float currentValue();
    virtual void setLowerBound(float bound);
    virtual float lowerBound();
    virtual void setUpperBound(float bound);
    virtual float upperBound();
    virtual void setPreviousValue(float value);
    virtual float previousValue();
    virtual void setResetValue(float value);
    virtual float resetValue();
    virtual void setTagId(int tag);
    virtual void setSkin(CGuiBitmap* skin);  // null allowed
    virtual CGuiBitmap* skin();
    virtual void setWheelStep(float step);
    virtual float wheelStep();
    virtual void clampValue();

    // The reset-to-default click, for mouse presses: with `buttons` exactly left + Ctrl the value
    // goes to the reset value (unless the tag is negative) and true says the press is used up.
    bool applyResetClick(CGuiContext* context, int buttons);

    CGuiControlListener* listener;
    int tagId;  // parameter index; negative: no reset click

protected:
    // The value and the value last painted are set by the host's threads while the GUI paints.
    Relaxed<float> previousValue_ = 1.0f;
    float resetValue_ = 0.5f;
    Relaxed<float> value_ = 0.0f;
    float lowerBound_ = 0.0f;
    float upperBound_ = 1.0f;
    float wheelStep_ = 0.1f;
    CGuiBitmap* skin_;
};
