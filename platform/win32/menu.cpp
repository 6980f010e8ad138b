#include "platform/win32/handles.h"

namespace platform {

int trackPopupMenu(Window* owner, const std::vector<MenuItem>& items, Point screenPoint) {
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) return 0;
    for (const MenuItem& item : items) {
        if (item.command == 0) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuA(menu, MF_STRING | (item.checked ? MF_CHECKED : MF_UNCHECKED), static_cast<UINT_PTR>(item.command),
                        item.text.c_str());
        }
    }
    // The chosen command comes back as the result instead of a WM_COMMAND to the owner.
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_VCENTERALIGN, screenPoint.x, screenPoint.y,
                                      0, win32::toHandle(owner), nullptr);
    DestroyMenu(menu);
    return chosen;
}

}  // namespace platform
