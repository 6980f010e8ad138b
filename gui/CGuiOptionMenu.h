// The name of the current choice of a list, shown like a value display; a press opens a popup
// menu of all choices beside the control and the chosen one becomes the value.
#pragma once

#include "gui/CGuiValueDisplay.h"
#include "gui/MenuList.h"

enum { kOptionMenuCheckMark = 0x0400 };  // the current item is checked in the menu

class CGuiOptionMenu : public CGuiValueDisplay {
public:
    // The pressed skin shows while the menu is open; `menuList` may be null and must outlive the control.
    CGuiOptionMenu(const CGuiRect& bounds, CGuiControlListener* listener, int tag, CGuiBitmap* skin,
                   CGuiBitmap* highlightSkin, CGuiBitmap* pressedSkin, const MenuList* menuList, int styleBits);
    ~CGuiOptionMenu() override;

    void paint(CGuiContext* context) override;
    // Any mouse button opens the menu.
    void onMouseDown(CGuiContext* context, CGuiPoint point) override;
    void onArrowKey(int virtualKey, int32_t characterAndModifiers) override;
    void onMouseEnter() override;  // only the mark: no repaint, no cursor
    void onMouseLeave() override;

    // The item number the value selects.
    int currentItem();

    const MenuList* menuList;
    bool menuOpen = false;
};
