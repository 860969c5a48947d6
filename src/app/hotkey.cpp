#include "app/hotkey.h"

#include <vector>

#include "platform/case_fold.h"

namespace kinoha {

Hotkey gHotkey = DefaultHotkey();

namespace {
std::wstring Trimmed(std::wstring_view part) {
    std::size_t from = 0, to = part.size();
    while (from < to && part[from] == L' ') ++from;
    while (to > from && part[to - 1] == L' ') --to;
    std::wstring out;
    for (std::size_t i = from; i < to; ++i) out.push_back(platform::FoldCase(part[i]));
    return out;
}

// A key name as its virtual-key code, or 0.
unsigned KeyCode(const std::wstring& name) {
    if (name.size() == 1 && name[0] >= L'a' && name[0] <= L'z') return name[0] - L'a' + 'A';
    if (name.size() == 1 && name[0] >= L'0' && name[0] <= L'9') return name[0];
    if (name.size() >= 2 && name.size() <= 3 && name[0] == L'f') {
        unsigned n = 0;
        for (std::size_t i = 1; i < name.size(); ++i) {
            if (name[i] < L'0' || name[i] > L'9') return 0;
            n = n * 10 + static_cast<unsigned>(name[i] - L'0');
        }
        if (n >= 1 && n <= 24 && name[1] != L'0') return 0x70 + n - 1;
    }
    return 0;
}
}  // namespace

Hotkey DefaultHotkey() {
    Hotkey h;
    h.ctrl = true;
    h.alt = true;
    h.key = 'K';
    return h;
}

std::optional<Hotkey> ParseHotkey(std::wstring_view text) {
    Hotkey h;
    std::size_t start = 0;
    bool last = false;
    while (!last) {
        std::size_t plus = text.find(L'+', start);
        last = plus == std::wstring_view::npos;
        if (last) plus = text.size();
        const std::wstring part = Trimmed(text.substr(start, plus - start));
        start = plus + 1;
        if (h.key != 0) return std::nullopt;  // nothing may follow the key
        bool* modifier = part == L"ctrl"    ? &h.ctrl
                         : part == L"alt"   ? &h.alt
                         : part == L"shift" ? &h.shift
                         : part == L"win"   ? &h.win
                                            : nullptr;
        if (modifier != nullptr) {
            if (*modifier || last) return std::nullopt;
            *modifier = true;
            continue;
        }
        h.key = KeyCode(part);
        if (h.key == 0) return std::nullopt;
    }
    if (h.key == 0 || !(h.ctrl || h.alt || h.win)) return std::nullopt;
    // Keys the system owns: Alt+F4 closes the window in front; Win with a letter or a digit
    // (and Shift) locks the screen, opens Explorer, starts a taskbar program and more.
    if (h.alt && !h.ctrl && !h.shift && !h.win && h.key == 0x73) return std::nullopt;
    if (h.win && !h.ctrl && !h.alt && h.key < 0x70) return std::nullopt;
    return h;
}

std::wstring HotkeyText(const Hotkey& h) {
    std::wstring text;
    if (h.ctrl) text += L"Ctrl+";
    if (h.alt) text += L"Alt+";
    if (h.shift) text += L"Shift+";
    if (h.win) text += L"Win+";
    if (h.key >= 0x70 && h.key <= 0x87) {
        text += L"F" + std::to_wstring(h.key - 0x70 + 1);
    } else {
        text.push_back(static_cast<wchar_t>(h.key));
    }
    return text;
}

}  // namespace kinoha
