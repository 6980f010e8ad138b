// A number shown as one line of text over a bitmap or a plain colour; dragged vertically with the
// cursor hidden (one step per pixel) or stepped with the arrow keys.
#pragma once

#include "gui/CGuiColor.h"
#include "gui/CGuiContext.h"
#include "gui/CGuiSkinControl.h"

// Writes the text for a number into a buffer of at least 252 bytes.
using TextConverter = void (*)(float number, char* text);

enum {
    kDisplayNoText = 0x0800,    // the background only
    kDisplayHidden = 0x1000,    // paints nothing
    kDisplayReadOnly = 0x4000,  // no drag, no keys, no hover effect, no stepping
    kDisplayNoStepping = 0x8000,
};

class CGuiValueDisplay : public CGuiSkinControl {
public:
    // `pressedSkin` is kept for the option menu; the number shown is factor x value + offset.
    CGuiValueDisplay(const CGuiRect& bounds, CGuiControlListener* listener, int tag, CGuiBitmap* skin,
                     CGuiBitmap* highlightSkin, CGuiBitmap* pressedSkin, int displayFactor, int displayOffset,
                     int styleBits, float stepCount, int stepArgument);
    ~CGuiValueDisplay() override;

    void paint(CGuiContext* context) override;
    void onMouseDown(CGuiContext* context, CGuiPoint point) override;
    void onArrowKey(int virtualKey, int32_t characterAndModifiers) override;
    void onMouseEnter() override;
    void onMouseLeave() override;

    // Added slots, in table order.
    virtual void setDisplayFont(int id);
    virtual void setDisplayFontSize(int size);
    virtual void setDisplayTextColor(CGuiColor color);
    virtual void setDisplayBackColor(CGuiColor color);
    virtual void setDisplayHighlightColor(CGuiColor color);
    virtual void setDisplayAlignment(int alignment);
    virtual void setTextConverter(TextConverter converter);

    // Draws `text` over `bitmap`, or over the display's own background when it is null.
    void drawValueText(CGuiContext* context, const char* text, CGuiBitmap* bitmap);
    // One step of `delta` (a direction, or pixels of a drag), unless stepping is off.
    void applyStep(float delta);

    CGuiBitmap* pressedSkin() const { return extraSkins[0]; }
    CGuiPoint& textInset() { return extraPoints[1]; }  // the text's top-left inside the control
    bool transparentText() const { return optionFlag; }

    int textAlignment = kTextCenter;
    int fontId = 3;
    CGuiColor backColor = kBlackColor;
    CGuiColor highlightBackColor = kBlackColor;
    CGuiColor textColor = kWhiteColor;
    int displayFactor;
    int displayOffset;
    int fontSize = 0;  // 0: the font table's size
    TextConverter textConverter = nullptr;

protected:
    bool readOnly() const { return (styleBits & kDisplayReadOnly) != 0; }

private:
    void setColor(CGuiColor& field, CGuiColor color);
};
