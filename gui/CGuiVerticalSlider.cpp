#include "gui/CGuiVerticalSlider.h"

#include <cmath>

#include "gui/CGuiBitmap.h"
#include "gui/CGuiOffscreen.h"
#include "gui/MouseTracking.h"

namespace {

int widthOf(CGuiBitmap* bitmap) {
    return bitmap ? bitmap->width() : 1;
}

int heightOf(CGuiBitmap* bitmap) {
    return bitmap ? bitmap->height() : 1;
}

}  // namespace

CGuiVerticalSlider::CGuiVerticalSlider(const CGuiRect& bounds, CGuiControlListener* listener, int tag, int travelTop,
                                       int travelBottom, CGuiBitmap* skin, CGuiBitmap* highlightSkin,
                                       CGuiBitmap* handleSkin, CGuiBitmap* highlightHandleSkin, CGuiPoint firstPoint,
                                       CGuiPoint handleOffset, bool seeThrough, bool keyedHandle, int styleBits,
                                       float stepCount, int stepArgument)
    : CGuiSkinControl(bounds, listener, tag, skin, highlightSkin, handleSkin, highlightHandleSkin, nullptr,
                      firstPoint, handleOffset, seeThrough, keyedHandle, styleBits, stepCount, false, stepArgument),
      handleWidth(widthOf(handleSkin)),
      handleHeight(heightOf(handleSkin)),
      travelTop(travelTop),
      travelBottom(travelBottom),
      handleTop(travelBottom),
      topLimit(travelTop - bounds.top),
      bottomLimit(heightOf(handleSkin) + travelBottom - bounds.top),
      controlWidth(bounds.width()),
      controlHeight(bounds.height()) {}

CGuiVerticalSlider::~CGuiVerticalSlider() = default;

void CGuiVerticalSlider::paint(CGuiContext* context) {
    const float value = drawingFraction(currentValue());
    const float along = (styleBits & kSliderZeroAtTop) ? value : 1.0f - value;
    CGuiBitmap* background = highlightSkin && isHighlighted ? highlightSkin : skin();
    {
        CGuiOffscreen offscreen = background ? CGuiOffscreen(context, background, false)
                                             : CGuiOffscreen(context->frame(), controlWidth, controlHeight, kBlackColor);
        CGuiRect handle;
        handle.left = handleOffset().h;
        handle.right = handle.left + handleWidth;
        handle.top = static_cast<int>(std::floor(static_cast<float>(travelBottom - travelTop) * along + 0.5f)) +
                     handleOffset().v + topLimit;
        if (handle.top < topLimit)
            handle.top = topLimit;
        handle.bottom = handle.top + handleHeight;
        if (handle.bottom > bottomLimit)
            handle.bottom = bottomLimit;
        CGuiBitmap* handleBitmap = highlightHandleSkin() && isHighlighted ? highlightHandleSkin() : handleSkin();
        if (handleBitmap) {
            if (keyedHandle())
                handleBitmap->paintKeyed(&offscreen, handle, {0, 0});
            else
                handleBitmap->paintOpaque(&offscreen, handle, {0, 0});
        }
        offscreen.copyInto(context, bounds, {0, 0});
        handleTop = bounds.top + handle.top;
    }
    markRepaint(false);
}

void CGuiVerticalSlider::onMouseDown(CGuiContext* context, CGuiPoint point) {
    if (!mouseEnabled())
        return;
    int buttons = context->readButtons();
    if (applyResetClick(context, buttons) || !(buttons & kMouseLeft))
        return;
    int grabLine;
    if (jumpToClick_) {
        grabLine = travelTop + handleHeight / 2 - 1;  // the handle's centre follows the mouse
    } else {
        const int left = bounds.left + handleOffset().h;
        if (point.h < left || point.h > left + handleWidth || point.v < handleTop || point.v > handleTop + handleHeight)
            return;
        grabLine = travelTop + point.v - handleTop;  // the handle keeps its grip
    }
    const float travel = static_cast<float>(travelBottom - travelTop);
    // The pointer with its fraction: on a scaled screen the handle follows finer than a pixel.
    CGuiPosition pointer = {static_cast<float>(point.h), static_cast<float>(point.v)};
    float anchor = currentValue();
    int anchorButtons = buttons;
    MouseTracking tracking(this);
    EditGesture gesture(this);
    while (stillAttached(this)) {
        buttons = context->readButtons();
        if (!(buttons & kMouseLeft))
            break;
        // Fine mode starts from the value the slider had when Shift went down.
        const bool fine = (buttons & kKeyShift) != 0;
        if (!fine) {
            anchor = value_;
        } else if (buttons != anchorButtons) {
            anchorButtons = buttons;
            anchor = value_;
        }
        const float along = (pointer.v - static_cast<float>(grabLine)) / travel;
        float value = (styleBits & kSliderUpIncreases) ? 1.0f - along : along;
        if (fine)
            value = anchor + (value - anchor) / fineDivisor_;
        value_ = value;
        clampValue();
        if (listener && needsRepaint())
            listener->valueChanged(context, this);
        context->readMousePosition(pointer);
        pumpEditorIdle();
    }
}

bool CGuiVerticalSlider::onWheelTurned(CGuiContext* context, CGuiPoint, float distance) {
    if (!mouseEnabled())
        return false;
    float step = distance * wheelStep();
    if (context && (context->readButtons() & kKeyShift))
        step *= 0.1f;
    value_ = value_ + step;
    clampValue();
    if (listener && needsRepaint())
        listener->valueChanged(context, this);
    return true;
}

void CGuiVerticalSlider::applyStep(float delta) {
    if ((styleBits & (kSliderNoKeySteps | kSliderNoKeyStepsToo)) || stepCount == 0.0f)
        return;
    stepValue(delta);
}

void CGuiVerticalSlider::onArrowKey(int virtualKey, int32_t) {
    stepForArrowKey(virtualKey, [this](float delta) { applyStep(delta); });
}

void CGuiVerticalSlider::setJumpToClick(bool jump) {
    jumpToClick_ = jump;
}

bool CGuiVerticalSlider::jumpToClick() {
    return jumpToClick_;
}

void CGuiVerticalSlider::setFineDivisor(float divisor) {
    fineDivisor_ = divisor;
}

float CGuiVerticalSlider::fineDivisor() {
    return fineDivisor_;
}
