// A rotary knob showing one image of a vertical strip chosen by its value. Dragging turns it by
// the pointer's angle around its centre (not by vertical movement); arrow keys step it.
#pragma once

#include "gui/CGuiSkinControl.h"

class CStripKnob : public CGuiSkinControl {
public:
    // Angles in degrees clockwise from straight up; `sourceOffset` is the strip's top-left.
    CStripKnob(const CGuiRect& rect, CGuiControlListener* listener, int tag, int imageCount, int imageHeight,
               CGuiBitmap* skin, CGuiBitmap* highlightSkin, int startAngle, int endAngle, CGuiPoint sourceOffset,
               float stepCount, int stepArgument);

    void paint(CGuiContext* context) override;
    void onMouseDown(CGuiContext* context, CGuiPoint point) override;
    void onArrowKey(int virtualKey, int32_t characterAndModifiers) override;

    // The value the pointer at `point` (frame coordinates) asks for; false on the centre.
    bool valueAt(CGuiPosition pointer, float& value) const;
    int imageIndex();  // the strip image painted for the current value

    int imageCount;
    int imageHeight;
    int startAngle;
    int endAngle;
};
