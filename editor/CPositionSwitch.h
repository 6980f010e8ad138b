// A selector of a few positions, one strip image per position, set by pointing: the pointer's
// height in the control picks the position, the bottom the first, the top the last.
#pragma once

#include "gui/CGuiSkinControl.h"

class CPositionSwitch : public CGuiSkinControl {
public:
    // Position j (0-based) of n has the value j / (n - 1).
    CPositionSwitch(const CGuiRect& rect, CGuiControlListener* listener, int tag, int imageCount, int imageHeight,
                    int positions, CGuiBitmap* skin, CGuiBitmap* highlightSkin, CGuiPoint sourceOffset);

    void paint(CGuiContext* context) override;
    void onMouseDown(CGuiContext* context, CGuiPoint point) override;
    void onArrowKey(int virtualKey, int32_t characterAndModifiers) override;

    float valueAt(CGuiPoint point) const;  // the value a pointer at this frame point picks
    int imageIndex();                      // the strip image painted for the current value

    int imageCount;
    int imageHeight;
    int positions;
};
