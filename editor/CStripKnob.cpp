#include "editor/CStripKnob.h"

#include "editor/PointerAngle.h"
#include "editor/StepFunctions.h"
#include "gui/CGuiContext.h"
#include "gui/MouseTracking.h"

CStripKnob::CStripKnob(const CGuiRect& rect, CGuiControlListener* listener, int tag, int imageCount, int imageHeight,
                       CGuiBitmap* skin, CGuiBitmap* highlightSkin, int startAngle, int endAngle,
                       CGuiPoint sourceOffset, float stepCount, int stepArgument)
    : CGuiSkinControl(rect, listener, tag, skin, highlightSkin, nullptr, nullptr, nullptr, sourceOffset, {0, 0}, false,
                      false, 0, stepCount, false, stepArgument),
      imageCount(imageCount),
      imageHeight(imageHeight),
      startAngle(startAngle),
      endAngle(endAngle < 0 ? endAngle + 360 : endAngle) {
    if (this->endAngle < this->startAngle)
        this->startAngle -= 360;
}

int CStripKnob::imageIndex() {
    const int index = static_cast<int>(static_cast<float>(imageCount) * drawingFraction(currentValue()));
    return index < imageCount ? index : imageCount - 1;
}

void CStripKnob::paint(CGuiContext* context) {
    if (imageCount > 0)
        paintStripImage(context, imageIndex(), imageHeight);
    markRepaint(false);
}

// Angles run clockwise from straight up. The dead zone below the knob, between its two ends, is
// split in the middle: its left half belongs to value 0, its right half to value 1.
bool CStripKnob::valueAt(CGuiPosition pointer, float& value) const {
    const double dx = static_cast<double>(pointer.h) - (bounds.left + (bounds.right - bounds.left) / 2);
    const double dy = static_cast<double>(pointer.v) - (bounds.top + (bounds.bottom - bounds.top) / 2);
    double angle;
    if (!angleFromBelow(dx, dy, angle))
        return false;
    angle += 180.0;
    if (dx > 0)
        angle = 360.0 - angle;
    const int start = startAngle < 0 ? startAngle + 360 : startAngle;
    if (angle > (start + endAngle) / 2.0)
        angle -= 360.0;
    const double result = (angle - startAngle) / (endAngle - startAngle);
    value = static_cast<float>(result < 0.0 ? 0.0 : result > 1.0 ? 1.0 : result);
    return true;
}

void CStripKnob::onMouseDown(CGuiContext* context, CGuiPoint) {
    if (applyResetClick(context, context->readButtons()))
        return;
    MouseTracking tracking(this);
    EditGesture gesture(this);
    CGuiPosition pointer;
    while (stillAttached(this) && (context->readButtons() & kMouseLeft)) {
        context->readMousePosition(pointer);
        float value;
        if (valueAt(pointer, value))
            setCurrentValue(value);
        if (currentValue() != previousValue() && listener)
            listener->valueChanged(context, this);
        pumpEditorIdle();
    }
}

void CStripKnob::onArrowKey(int virtualKey, int32_t) {
    stepForArrowKey(virtualKey, [this](float delta) { stepControl(*this, delta); });
}
