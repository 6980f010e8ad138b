#include "gui/CGuiOnOffButton.h"

#include <cmath>

#include "gui/CGuiBitmap.h"
#include "gui/CGuiContext.h"
#include "gui/MouseTracking.h"

namespace {

// "Truncated to an integer is 0", without the undefined conversion of a huge float to int.
bool truncatesToZero(float value) {
    return std::trunc(value) == 0.0f;
}

}  // namespace

CGuiOnOffButton::CGuiOnOffButton(const CGuiRect& bounds, CGuiControlListener* listener, int tag, CGuiBitmap* skin,
                                 CGuiBitmap* highlightSkin, int styleBits)
    : CGuiSkinControl(bounds, listener, tag, skin, highlightSkin, nullptr, nullptr, nullptr, {0, 0}, {0, 0}, false,
                      false, styleBits, 1.0f, false, 0) {}

CGuiOnOffButton::~CGuiOnOffButton() = default;

void CGuiOnOffButton::paint(CGuiContext* context) {
    CGuiBitmap* bitmap = highlightSkin && isHighlighted ? highlightSkin : skin();
    const float value = drawingFraction(currentValue());
    const bool on = inverted() ? truncatesToZero(value) : value != 0.0f;
    if (bitmap) {
        const CGuiPoint source = {0, on ? bitmap->height() / 2 : 0};
        if (seeThrough())
            bitmap->paintKeyed(context, bounds, source);
        else
            bitmap->paintOpaque(context, bounds, source);
    }
    markRepaint(false);
}

void CGuiOnOffButton::onMouseDown(CGuiContext* context, CGuiPoint) {
    if (!mouseEnabled())
        return;
    const int buttons = context->readButtons();
    if (applyResetClick(context, buttons) || !(buttons & kMouseLeft))
        return;
    value_ = truncatesToZero(value_) ? 1.0f : 0.0f;
    paint(context);
    MouseTracking tracking(this);
    if (listener)
        listener->valueChanged(context, this);
    while (stillAttached(this) && (context->readButtons() & kMouseLeft))
        pumpEditorIdle();
}

void CGuiOnOffButton::onArrowKey(int virtualKey, int32_t) {
    float value;
    switch (virtualKey) {
        case VKEY_UP:
        case VKEY_RIGHT: value = inverted() ? 0.0f : 1.0f; break;
        case VKEY_LEFT:
        case VKEY_DOWN: value = inverted() ? 1.0f : 0.0f; break;
        default: return;
    }
    value_ = value;
    if (listener && float(value_) != float(previousValue_))
        listener->valueChanged(nullptr, this);
}
