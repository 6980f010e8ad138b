#include "gui/CGuiOptionMenu.h"

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "gui/CGuiFrame.h"
#include "gui/MouseTracking.h"

namespace {

// A name may fill its 32 bytes without a terminator.
std::string entryName(const MenuListEntry& entry) {
    return std::string(entry.name, strnlen(entry.name, sizeof entry.name));
}

}  // namespace

CGuiOptionMenu::CGuiOptionMenu(const CGuiRect& bounds, CGuiControlListener* listener, int tag, CGuiBitmap* skin,
                               CGuiBitmap* highlightSkin, CGuiBitmap* pressedSkin, const MenuList* menuList,
                               int styleBits)
    : CGuiValueDisplay(bounds, listener, tag, skin, highlightSkin, pressedSkin, 1, 0, styleBits, 1.0f, 0),
      menuList(menuList) {
    if (menuList)
        stepCount = static_cast<float>(menuList->positions - 1);
}

CGuiOptionMenu::~CGuiOptionMenu() = default;

// Drawn from the value limited to 0..1, so that no value a host sends selects past the list.
int CGuiOptionMenu::currentItem() {
    if (!menuList)
        return 0;
    const float value = drawingFraction(currentValue());
    return static_cast<int>(std::floor(static_cast<float>(menuList->positions - 1) * value + 0.5f)) + 1;
}

void CGuiOptionMenu::paint(CGuiContext* context) {
    if (!menuList)
        return;
    const int item = currentItem();
    for (int i = 0; i < menuList->entryCount; ++i) {
        const MenuListEntry& entry = menuList->entries[i];
        if (entry.itemNumber == item) {
            drawValueText(context, entryName(entry).c_str(), menuOpen ? pressedSkin() : nullptr);
            return;
        }
    }
}

void CGuiOptionMenu::onMouseDown(CGuiContext* context, CGuiPoint) {
    if (applyResetClick(context, context->readButtons()) || !menuList)
        return;
    MouseTracking tracking(this);
    const int current = currentItem();
    std::vector<platform::MenuItem> items;
    items.reserve(static_cast<size_t>(menuList->entryCount > 0 ? menuList->entryCount : 0));
    for (int i = 0; i < menuList->entryCount; ++i) {
        const MenuListEntry& entry = menuList->entries[i];
        if (entry.itemNumber == 0) {
            items.push_back({0, std::string(), false});
        } else {
            const bool checked = (styleBits & kOptionMenuCheckMark) && entry.itemNumber == current;
            items.push_back({entry.itemNumber, entryName(entry), checked});
        }
    }
    platform::Window* owner = ownerFrame ? ownerFrame->window() : nullptr;
    const CGuiPoint anchor = {bounds.right - 16, bounds.top + bounds.height() / 2};
    const platform::Point at = ownerFrame ? ownerFrame->screenPoint(anchor) : platform::Point{anchor.h, anchor.v};
    const float scale = ownerFrame ? ownerFrame->scale().factor() : 1.0f;
    menuOpen = true;
    repaintNow();
    const int chosen = platform::trackPopupMenu(
        owner, items, at, platform::kMenuCentreVertically | platform::kMenuNoNotify | platform::kMenuReturnCommand,
        scale);
    if (chosen != 0 && stillAttached(this)) {
        // A one-position list has a single value; an item numbered past the positions gives the
        // upper bound, not a value outside the range.
        const int steps = menuList->positions - 1;
        value_ = steps > 0 ? static_cast<float>(chosen - 1) / static_cast<float>(steps) : 0.0f;
        clampValue();
        if (listener)
            listener->valueChanged(context, this);
    }
    menuOpen = false;
    // The pressed image would otherwise stay until something else repaints the control.
    markRepaint(true);
}

void CGuiOptionMenu::onArrowKey(int virtualKey, int32_t) {
    switch (virtualKey) {
        case VKEY_RIGHT:
        case VKEY_DOWN: applyStep(1.0f); break;
        case VKEY_LEFT:
        case VKEY_UP: applyStep(-1.0f); break;
        default: return;
    }
    notifyKeyChange();
}

void CGuiOptionMenu::onMouseEnter() {
    isMouseOver = true;
}

void CGuiOptionMenu::onMouseLeave() {
    isMouseOver = false;
}
