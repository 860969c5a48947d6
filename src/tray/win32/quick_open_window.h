// The quick-open window: a text box over the catalogue's projects, narrowed as the user types,
// the most recently opened first. Enter opens the chosen project in VB, Ctrl+Enter runs its
// executable, Shift+Enter opens its folder, Esc closes. Opened by the global hotkey and from
// the tray menu. One instance.
#pragma once

#include <windows.h>

#include "tray/tray_view.h"

namespace kinoha::ui {

inline constexpr int kQuickOpenHotkeyId = 1;

// Opens the window (or brings the open one forward with its text selected). `view` is the tray
// window, which shows the commands' messages.
void ShowQuickOpen(HWND tray, TrayView& view);

// Registers gHotkey for the tray window (WM_HOTKEY with kQuickOpenHotkeyId). When another
// program holds it, says so once; the menu entry still opens the window.
void RegisterQuickOpenHotkey(HWND tray, TrayView& view);

}  // namespace kinoha::ui
