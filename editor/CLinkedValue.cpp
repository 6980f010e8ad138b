#include "editor/CLinkedValue.h"

#include "editor/CPositionView.h"

CLinkedValue::CLinkedValue(const CGuiRect& rect, CGuiControlListener* listener, int tag, CPositionView* owner)
    : CGuiSkinControl(rect, listener, tag, nullptr, nullptr, nullptr, nullptr, nullptr, {0, 0}, {0, 0}, false, false,
                      0, 0.0f, false, 0),
      linkOwner(owner) {
    linkNext = owner->linkHead;
    if (linkNext)
        linkNext->linkPrev = this;
    owner->linkHead = this;
    retain();  // the owner's reference, released when the owner goes
}

void CLinkedValue::paint(CGuiContext*) {}
void CLinkedValue::onMouseDown(CGuiContext*, CGuiPoint) {}

bool CLinkedValue::needsRepaint() {
    return false;
}

void CLinkedValue::refresh(CGuiContext* context) {
    if (linkOwner)
        linkOwner->refresh(context);
}

void CLinkedValue::onArrowKey(int, int32_t) {}
void CLinkedValue::highlight() {}
void CLinkedValue::unhighlight() {}
void CLinkedValue::onMouseEnter() {}
void CLinkedValue::onMouseLeave() {}
