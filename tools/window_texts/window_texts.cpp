// window-texts.exe: a test helper that prints what a window of the program shows, for the
// end-to-end tests under Wine: `window-texts DESKTOP TITLE` finds the top-level window TITLE on
// the desktop DESKTOP (the virtual desktop of `explorer /desktop=NAME`) and prints, one a line in
// UTF-8, each child's class and text (a check box's state before its text), and for a list box
// each row as "LISTBOX[n] text".
// Exit status 1 when the window is not found.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

void Print(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), n,
                        nullptr, nullptr);
    std::printf("%s\n", bytes.c_str());
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
    wchar_t cls[64] = {};
    GetClassNameW(child, cls, 64);
    const std::wstring kind = cls;
    if (_wcsicmp(cls, L"LISTBOX") == 0) {
        const LRESULT count = SendMessageW(child, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            const LRESULT len = SendMessageW(child, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
            if (len < 0) continue;
            std::wstring row(static_cast<std::size_t>(len) + 1, L'\0');
            SendMessageW(child, LB_GETTEXT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(row.data()));
            row.resize(static_cast<std::size_t>(len));
            Print(L"LISTBOX[" + std::to_wstring(i) + L"] " + row);
        }
        return TRUE;
    }
    wchar_t text[1024] = {};
    GetWindowTextW(child, text, 1024);
    // A check box shows its state before its text: "Button [x] text", "Button [ ] text".
    const LONG_PTR type = GetWindowLongPtrW(child, GWL_STYLE) & BS_TYPEMASK;
    if (_wcsicmp(cls, L"Button") == 0 &&
        (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
         type == BS_AUTO3STATE)) {
        const LRESULT state = SendMessageW(child, BM_GETCHECK, 0, 0);
        Print(kind + (state == BST_CHECKED ? L" [x] " : L" [ ] ") + text);
        return TRUE;
    }
    Print(kind + L" " + text);
    return TRUE;
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: window-texts DESKTOP TITLE\n");
        return 2;
    }
    if (HDESK desk = OpenDesktopW(argv[1], 0, FALSE, GENERIC_ALL)) SetThreadDesktop(desk);
    HWND window = FindWindowW(nullptr, argv[2]);
    if (window == nullptr) return 1;
    EnumChildWindows(window, PrintChild, 0);
    return 0;
}
