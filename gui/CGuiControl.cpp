#include "gui/CGuiControl.h"

#include <cmath>

#include "gui/AEffGUIEditor.h"
#include "gui/CGuiBitmap.h"
#include "gui/CGuiContext.h"

bool gMouseTracking = false;

CGuiControl::CGuiControl(const CGuiRect& bounds, CGuiControlListener* listener, int tag, CGuiBitmap* skin)
    : CGuiView(bounds), listener(listener), tagId(tag), skin_(retainBitmap(skin)) {}

CGuiControl::~CGuiControl() {
    releaseBitmap(skin_);
}

bool CGuiControl::needsRepaint() {
    return float(previousValue_) != float(value_) || repaintFlag_;
}

// A host's thread may set the value while the paint runs, after the paint has read it: the paint's
// own markRepaint(false) would take that value as shown. Taking the value before the paint keeps
// such a change due for the next idle.
void CGuiControl::refresh(CGuiContext* context) {
    if (!needsRepaint())
        return;
    const float shown = value_;
    paint(context);
    repaintFlag_ = false;
    previousValue_ = shown;
}

// The previous value is what the control showed at its last paint: a value apart from the current
// one asks for a repaint, the same value says the control is up to date.
void CGuiControl::markRepaint(bool repaint) {
    repaintFlag_ = repaint;
    const float value = value_;
    if (repaint)
        previousValue_ = value == -1.0f ? 0.0f : -1.0f;
    else
        previousValue_ = value;
}

void CGuiControl::pumpEditorIdle() {
    if (AEffGUIEditor* editor = ownerEditor())
        editor->idlePump();
}

// A NaN from the host would never compare equal to the value painted, so it would repaint at every
// idle and reach the controls' pixel arithmetic; it shows as the lower bound instead.
void CGuiControl::setCurrentValue(float value) {
    value_ = std::isnan(value) ? lowerBound_ : value;
}

float CGuiControl::currentValue() {
    return value_;
}

void CGuiControl::setLowerBound(float bound) {
    lowerBound_ = bound;
}

float CGuiControl::lowerBound() {
    return lowerBound_;
}

void CGuiControl::setUpperBound(float bound) {
    upperBound_ = bound;
}

float CGuiControl::upperBound() {
    return upperBound_;
}

void CGuiControl::setPreviousValue(float value) {
    previousValue_ = value;
}

float CGuiControl::previousValue() {
    return previousValue_;
}

void CGuiControl::setResetValue(float value) {
    resetValue_ = value;
}

float CGuiControl::resetValue() {
    return resetValue_;
}

void CGuiControl::setTagId(int tag) {
    tagId = tag;
}

void CGuiControl::setSkin(CGuiBitmap* skin) {
    replaceBitmap(skin_, skin);
}

CGuiBitmap* CGuiControl::skin() {
    return skin_;
}

void CGuiControl::setWheelStep(float step) {
    wheelStep_ = step;
}

float CGuiControl::wheelStep() {
    return wheelStep_;
}

void CGuiControl::clampValue() {
    const float value = value_;
    if (value > upperBound_)
        value_ = upperBound_;
    else if (value < lowerBound_ || std::isnan(value))
        value_ = lowerBound_;
}

bool CGuiControl::applyResetClick(CGuiContext* context, int buttons) {
    if (buttons != (kMouseLeft | kKeyControl))
        return false;
    if (tagId >= 0 && float(value_) != resetValue_) {
        value_ = resetValue_;
        if (listener)
            listener->valueChanged(context, this);
    }
    return true;
}
