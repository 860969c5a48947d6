#include "info/win32/system_menu.h"

namespace kinoha::ui {

void RemoveCloseMenu(HWND window) {
    HMENU menu = GetSystemMenu(window, FALSE);
    if (menu == nullptr) return;
    for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i) {
        if (GetMenuItemID(menu, i) != SC_CLOSE) continue;
        DeleteMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
        if (i > 0) {
            MENUITEMINFOW above{};
            above.cbSize = sizeof above;
            above.fMask = MIIM_FTYPE;
            if (GetMenuItemInfoW(menu, static_cast<UINT>(i - 1), TRUE, &above) &&
                (above.fType & MFT_SEPARATOR) != 0) {
                DeleteMenu(menu, static_cast<UINT>(i - 1), MF_BYPOSITION);
            }
        }
        break;
    }
    DrawMenuBar(window);
}

bool CloseMenuPresent(HWND window) {
    HMENU menu = GetSystemMenu(window, FALSE);
    if (menu == nullptr) return false;
    const UINT state = GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & (MF_DISABLED | MF_GRAYED)) == 0;
}

}  // namespace kinoha::ui
