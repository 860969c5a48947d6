// The system menu of a window without its Close command: the title bar's close button and
// Alt+F4 no longer close it.
#pragma once

#include <windows.h>

namespace kinoha::ui {

// Deletes the Close command of the window's own system menu and the separator above it, then
// redraws the menu bar. On the standard seven-item menu these are its last two items; on a
// shorter menu the Close command is still the one found, by its command.
void RemoveCloseMenu(HWND window);

// Whether the window's system menu offers an enabled Close command.
bool CloseMenuPresent(HWND window);

}  // namespace kinoha::ui
