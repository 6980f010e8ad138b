#include "gui/CGuiValueDisplay.h"

#include <cmath>
#include <cstdio>

#include "gui/CGuiBitmap.h"
#include "gui/CGuiFrame.h"
#include "gui/CGuiOffscreen.h"
#include "gui/MouseTracking.h"

namespace {

constexpr size_t kTextBufferSize = 252;

bool sameColour(CGuiColor a, CGuiColor b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

}  // namespace

CGuiValueDisplay::CGuiValueDisplay(const CGuiRect& bounds, CGuiControlListener* listener, int tag, CGuiBitmap* skin,
                                   CGuiBitmap* highlightSkin, CGuiBitmap* pressedSkin, int displayFactor,
                                   int displayOffset, int styleBits, float stepCount, int stepArgument)
    : CGuiSkinControl(bounds, listener, tag, skin, highlightSkin, pressedSkin, nullptr, nullptr, {0, 0}, {0, 0}, false,
                      true, styleBits, stepCount, false, stepArgument),
      displayFactor(displayFactor),
      displayOffset(displayOffset) {
    if (styleBits & kDisplayHidden)
        markRepaint(false);
}

CGuiValueDisplay::~CGuiValueDisplay() = default;

void CGuiValueDisplay::paint(CGuiContext* context) {
    const float number = static_cast<float>(displayFactor) * currentValue() + static_cast<float>(displayOffset);
    char text[kTextBufferSize];
    text[0] = '\0';
    if (textConverter)
        textConverter(number, text);
    else
        std::snprintf(text, sizeof text, "%2.2f", number);
    text[kTextBufferSize - 1] = '\0';  // a converter that fills the buffer still ends in a terminator
    drawValueText(context, text, nullptr);
}

void CGuiValueDisplay::drawValueText(CGuiContext* context, const char* text, CGuiBitmap* bitmap) {
    if (styleBits & kDisplayHidden) {
        markRepaint(false);
        return;
    }
    const int width = bounds.width();
    const int height = bounds.height();
    if (!bitmap)
        bitmap = isHighlighted && highlightSkin ? highlightSkin : skin();
    {
        CGuiOffscreen offscreen = bitmap ? CGuiOffscreen(context, bitmap, false)
                                         : CGuiOffscreen(context->frame(), width, height,
                                                         isHighlighted ? highlightBackColor : backColor);
        if (!(styleBits & kDisplayNoText)) {
            offscreen.selectFont(fontId, fontSize, 0);
            const CGuiPoint inset = textInset();
            offscreen.setTextColor(textColor);
            offscreen.drawText(text, {inset.h, inset.v, inset.h + width, inset.v + height}, !transparentText(),
                               textAlignment);
        }
        offscreen.copyInto(context, bounds, {0, 0});
    }
    markRepaint(false);
}

void CGuiValueDisplay::applyStep(float delta) {
    if ((styleBits & (kDisplayReadOnly | kDisplayNoStepping)) || stepCount == 0.0f)
        return;
    stepValue(delta);
}

// The cursor is hidden and put back at its start point on every pass, so a drag is not stopped by
// the edge of the screen and the cursor shows again where the drag began.
void CGuiValueDisplay::onMouseDown(CGuiContext* context, CGuiPoint) {
    if (readOnly())
        return;
    if (applyResetClick(context, context->readButtons()))
        return;
    platform::showCursor(false);
    const platform::Point start = platform::cursorPosition();
    {
        MouseTracking tracking(this);
        EditGesture gesture(this);
        // The cursor moves in device pixels, the value in logical ones: on a scaled screen the
        // part of a pixel left over carries to the next pass, so a drag steps as far as at 100 %.
        int movedDevicePixels = 0;
        int steppedPixels = 0;
        while (stillAttached(this) && (context->readButtons() & kMouseLeft)) {
            const platform::Point now = platform::cursorPosition();
            movedDevicePixels += start.y - now.y;
            const int pixels = static_cast<int>(std::trunc(context->scale.toLogical(movedDevicePixels)));
            if (pixels != steppedPixels) {
                applyStep(static_cast<float>(pixels - steppedPixels));
                steppedPixels = pixels;
                if (listener && float(value_) != float(previousValue_))
                    listener->valueChanged(context, this);
            }
            platform::setCursorPosition(start);
            pumpEditorIdle();
        }
    }
    platform::showCursor(true);
}

void CGuiValueDisplay::onArrowKey(int virtualKey, int32_t) {
    if (!readOnly())
        stepForArrowKey(virtualKey, [this](float delta) { applyStep(delta); });
}

void CGuiValueDisplay::onMouseEnter() {
    isMouseOver = true;
    if (readOnly())
        return;
    markRepaint(true);
    if (ownerFrame)
        platform::setCursorShape(ownerFrame->window(), platform::CursorShape::SizeNorthSouth);
}

void CGuiValueDisplay::onMouseLeave() {
    isMouseOver = false;
    if (readOnly())
        return;
    markRepaint(true);
    if (ownerFrame)
        platform::setCursorShape(ownerFrame->window(), platform::CursorShape::Arrow);
}

void CGuiValueDisplay::setDisplayFont(int id) {
    if (id == fontId)
        return;
    fontId = id;
    markRepaint(true);
}

void CGuiValueDisplay::setDisplayFontSize(int size) {
    if (size == fontSize)
        return;
    fontSize = size;
    markRepaint(true);
}

void CGuiValueDisplay::setDisplayTextColor(CGuiColor color) {
    setColor(textColor, color);
}

void CGuiValueDisplay::setDisplayBackColor(CGuiColor color) {
    setColor(backColor, color);
}

void CGuiValueDisplay::setDisplayHighlightColor(CGuiColor color) {
    setColor(highlightBackColor, color);
}

void CGuiValueDisplay::setDisplayAlignment(int alignment) {
    if (alignment == textAlignment)
        return;
    textAlignment = alignment;
    markRepaint(true);
}

void CGuiValueDisplay::setTextConverter(TextConverter converter) {
    textConverter = converter;
}

// Only a change of red, green or blue counts; the spare byte is stored along with them.
void CGuiValueDisplay::setColor(CGuiColor& field, CGuiColor color) {
    if (sameColour(field, color))
        return;
    field = color;
    markRepaint(true);
}
