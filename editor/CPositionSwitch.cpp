#include "editor/CPositionSwitch.h"

#include "editor/StepFunctions.h"
#include "gui/CGuiContext.h"
#include "gui/MouseTracking.h"

CPositionSwitch::CPositionSwitch(const CGuiRect& rect, CGuiControlListener* listener, int tag, int imageCount,
                                 int imageHeight, int positions, CGuiBitmap* skin, CGuiBitmap* highlightSkin,
                                 CGuiPoint sourceOffset)
    : CGuiSkinControl(rect, listener, tag, skin, highlightSkin, nullptr, nullptr, nullptr, sourceOffset, {0, 0}, false,
                      false, 0, static_cast<float>(positions - 1), false, 0),
      imageCount(imageCount),
      imageHeight(imageHeight),
      positions(positions) {
    setResetValue(0.0f);
}

int CPositionSwitch::imageIndex() {
    const int index = static_cast<int>(static_cast<float>(positions - 1) * drawingFraction(currentValue()));
    // A strip with fewer images than positions shows its last image for the positions beyond.
    return index < imageCount ? index : imageCount - 1;
}

void CPositionSwitch::paint(CGuiContext* context) {
    if (imageCount > 0)
        paintStripImage(context, imageIndex(), imageHeight);
    markRepaint(false);
}

// Both factors are single precision, as the bands of the strip images are cut with them.
float CPositionSwitch::valueAt(CGuiPoint point) const {
    if (positions < 2 || imageHeight == 0)
        return 0.0f;
    const float perPixel = static_cast<float>(positions) / static_cast<float>(imageHeight);
    const float perPosition = 1.0f / static_cast<float>(positions - 1);
    const float band = static_cast<float>(static_cast<int>(static_cast<float>(bounds.bottom - point.v) * perPixel));
    const float value = band * perPosition;
    return value < 0.0f ? 0.0f : value >= 1.0f ? 1.0f : value;
}

void CPositionSwitch::onMouseDown(CGuiContext* context, CGuiPoint point) {
    if (!mouseEnabled())
        return;
    const int buttons = context->readButtons();
    if (applyResetClick(context, buttons) || !(buttons & kMouseLeft))
        return;
    MouseTracking tracking(this);
    EditGesture gesture(this);
    // A change of the button set (a second button pressed, or the left one released) ends it.
    while (stillAttached(this) && context->readButtons() == buttons) {
        setCurrentValue(valueAt(point));
        if (needsRepaint() && listener)
            listener->valueChanged(context, this);
        context->readMousePoint(point);
        pumpEditorIdle();
    }
}

void CPositionSwitch::onArrowKey(int virtualKey, int32_t) {
    if (virtualKey == VKEY_UP)
        stepControl(*this, 1.0f);
    else if (virtualKey == VKEY_DOWN)
        stepControl(*this, -1.0f);
    else
        return;
    notifyKeyChange();
}
