// The quick-open window's global hotkey as text ("Ctrl+Alt+K") and as modifiers with a key.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kinoha {

struct Hotkey {
    bool ctrl = false, alt = false, shift = false, win = false;
    // The key's virtual-key code: 'A' to 'Z', '0' to '9', 0x70 (F1) to 0x87 (F24).
    unsigned key = 0;
    bool operator==(const Hotkey&) const = default;
};

// Ctrl+Alt+K.
Hotkey DefaultHotkey();

// Modifier names (Ctrl, Alt, Shift, Win) and one key (a letter, a digit, F1 to F24) joined by
// "+", letter case and blanks around the parts ignored. Ctrl, Alt or Win must be among the
// modifiers, so that the hotkey does not take a key away from typing. Nothing otherwise.
std::optional<Hotkey> ParseHotkey(std::wstring_view text);

// "Ctrl+Alt+Shift+Win+K" with the modifiers present, in that order.
std::wstring HotkeyText(const Hotkey& hotkey);

// The program's hotkey (settings tag "[HOTKEY]"; a file without it, or with a text that is no
// valid key combination, gives the default).
extern Hotkey gHotkey;

}  // namespace kinoha
