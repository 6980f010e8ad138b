// A two-state button drawn from one bitmap holding two images of its size, off above on. A press
// toggles it and tells the listener at once; the arrow keys switch it on or off.
#pragma once

#include "gui/CGuiSkinControl.h"

// Either bit swaps the button's images and arrow keys.
enum { kOnOffInverted = 0x10, kOnOffInvertedToo = 0x40 };

class CGuiOnOffButton : public CGuiSkinControl {
public:
    CGuiOnOffButton(const CGuiRect& bounds, CGuiControlListener* listener, int tag, CGuiBitmap* skin,
                    CGuiBitmap* highlightSkin, int styleBits);
    ~CGuiOnOffButton() override;

    void paint(CGuiContext* context) override;
    // Toggles, paints and notifies at the press, then holds the mouse until the release.
    void onMouseDown(CGuiContext* context, CGuiPoint point) override;
    void onArrowKey(int virtualKey, int32_t characterAndModifiers) override;

private:
    bool inverted() const { return (styleBits & (kOnOffInverted | kOnOffInvertedToo)) != 0; }
};
