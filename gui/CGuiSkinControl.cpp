#include "gui/CGuiSkinControl.h"

#include <cmath>

#include "gui/CGuiBitmap.h"

CGuiSkinControl::CGuiSkinControl(const CGuiRect& bounds, CGuiControlListener* listener, int tag, CGuiBitmap* skin,
                                 CGuiBitmap* highlightSkin, CGuiBitmap* extraSkin0, CGuiBitmap* extraSkin1,
                                 CGuiBitmap* extraSkin2, CGuiPoint extraPoint0, CGuiPoint extraPoint1, bool seeThrough,
                                 bool optionFlag, int styleBits, float stepCount, bool wantsIdleTick, int stepArgument)
    : CGuiControl(bounds, listener, tag, skin),
      highlightSkin(retainBitmap(highlightSkin)),
      extraSkins{retainBitmap(extraSkin0), retainBitmap(extraSkin1), retainBitmap(extraSkin2)},
      extraPoints{extraPoint0, extraPoint1},
      optionFlag(optionFlag),
      styleBits(styleBits),
      stepCount(stepCount),
      stepArgument(stepArgument),
      wantsIdleTick(wantsIdleTick) {
    seeThrough_ = seeThrough;
}

CGuiSkinControl::~CGuiSkinControl() {
    releaseBitmap(highlightSkin);
    for (CGuiBitmap* extra : extraSkins)
        releaseBitmap(extra);
}

void CGuiSkinControl::setKeyedSkin(bool keyed) {
    setSeeThrough(keyed);
}

bool CGuiSkinControl::keyedSkin() {
    return seeThrough();
}

void CGuiSkinControl::onArrowKey(int, int32_t) {}

void CGuiSkinControl::highlight() {
    if (isHighlighted)
        return;
    isHighlighted = true;
    markRepaint(true);
}

void CGuiSkinControl::unhighlight() {
    if (!isHighlighted)
        return;
    isHighlighted = false;
    markRepaint(true);
}

void CGuiSkinControl::onMouseEnter() {
    isMouseOver = true;
    markRepaint(true);
}

void CGuiSkinControl::onMouseLeave() {
    isMouseOver = false;
    markRepaint(true);
}

void CGuiSkinControl::onIdleTick() {}

void CGuiSkinControl::notifyKeyChange() {
    if (listener && currentValue() != previousValue())
        listener->valueChanged(nullptr, this);
}

void CGuiSkinControl::paintStripImage(CGuiContext* context, int index, int imageHeight) {
    const CGuiPoint& offset = extraPoints[0];
    const CGuiPoint source = {offset.h, index * imageHeight + offset.v};
    CGuiBitmap* bitmap = isHighlighted && highlightSkin ? highlightSkin : skin();
    if (!bitmap)
        return;
    if (keyedSkin())
        bitmap->paintKeyed(context, bounds, source);
    else
        bitmap->paintOpaque(context, bounds, source);
}

void CGuiSkinControl::stepValue(float delta) {
    if (stepFunction)
        value_ = stepFunction(delta, value_, stepCount, stepArgument);
    else
        value_ = (std::floor(stepCount * value_ + 0.5f) + delta) / stepCount;
    clampValue();
}
