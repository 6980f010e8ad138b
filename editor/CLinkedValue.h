// An invisible control that carries one parameter for a position view, so that the editor's
// parameter mirroring reaches the view like any other control of that parameter.
#pragma once

#include "gui/CGuiSkinControl.h"

class CPositionView;

class CLinkedValue : public CGuiSkinControl {
public:
    // Joins the owner's list at its head; the owner holds a reference until it is destroyed.
    CLinkedValue(const CGuiRect& rect, CGuiControlListener* listener, int tag, CPositionView* owner);

    void paint(CGuiContext* context) override;
    void onMouseDown(CGuiContext* context, CGuiPoint point) override;
    // Always false: the owner view repaints for it.
    bool needsRepaint() override;
    void refresh(CGuiContext* context) override;  // refreshes the owner
    void onArrowKey(int virtualKey, int32_t characterAndModifiers) override;
    void highlight() override;
    void unhighlight() override;
    void onMouseEnter() override;
    void onMouseLeave() override;

    // Value differs from the value last painted by the owner.
    bool changedSincePaint() { return currentValue() != previousValue(); }

    CLinkedValue* linkNext = nullptr;
    CLinkedValue* linkPrev = nullptr;
    CPositionView* linkOwner;  // null once the owner is destroyed
};
