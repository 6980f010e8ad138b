#include "platform/win32/handles.h"

namespace platform {

// The system draws its menus at the DPI it gives the host's process: the editor's scale is not its business.
int trackPopupMenu(Window* owner, const std::vector<MenuItem>& items, Point screenPoint, uint32_t flags, float) {
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
    static_assert(kMenuCentreVertically == TPM_VCENTERALIGN && kMenuNoNotify == TPM_NONOTIFY &&
                      kMenuReturnCommand == TPM_RETURNCMD,
                  "the layer's menu flags are the OS's own");
    const int chosen = TrackPopupMenu(menu, flags, screenPoint.x, screenPoint.y, 0, win32::toHandle(owner), nullptr);
    DestroyMenu(menu);
    return chosen;
}

}  // namespace platform
