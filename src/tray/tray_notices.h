// The texts the tray shows besides its menus: the first-start notice and the hotkey that could
// not be had.
#pragma once

#include <string>

#include "app/hotkey.h"

namespace kinoha {

std::wstring FirstStartNoticeTitle();  // "Kinoha"
std::wstring FirstStartNoticeText();

// The message when another program holds the quick-open hotkey.
std::wstring HotkeyTakenTitle();  // "情報"
std::wstring HotkeyTakenText(const Hotkey& hotkey);

}  // namespace kinoha
