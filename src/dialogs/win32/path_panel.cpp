#include "dialogs/win32/path_panel.h"

#include "ui/ui.h"

namespace kinoha::ui {
namespace {

constexpr int kClientWidth = 6915, kClientHeight = 1410;  // twips

struct Panel {
    HWND hwnd = nullptr;
    HFONT title = nullptr, paths = nullptr, note = nullptr;
} gPanel;

LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CTLCOLORSTATIC) {
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
}  // namespace

void ShowPathPanel() {
    if (gPanel.hwnd != nullptr) return;
    RegisterWindowClass(L"KinohaPathPanel", PanelProc);

    const UINT dpi = WindowDpi(nullptr);
    const int w = TwipsToPixels(kClientWidth, dpi), h = TwipsToPixels(kClientHeight, dpi);
    // Centred, 1000 twips above the bottom of the screen, below the dialog.
    const int top = GetSystemMetrics(SM_CYSCREEN) - h - TwipsToPixels(1000, dpi);
    const int left = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
    gPanel.hwnd = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"KinohaPathPanel", L"",
                                  WS_POPUP, left, top, w, h, nullptr, nullptr, Instance(), nullptr);
    gPanel.title = GothicFont(12, dpi, true);
    gPanel.paths = GothicFont(9.75, dpi);
    gPanel.note = GothicFont(9, dpi);
    const DWORD style = SS_LEFT | SS_NOPREFIX;
    CreateControl(gPanel.hwnd, L"STATIC", L"参考：ＶＢ本体のデフォルトインストール先", style, 0,
                  {120, 120, 7335, 375}, gPanel.title);
    CreateControl(gPanel.hwnd, L"STATIC", L"ＶＢ５＝C:\\Program Files\\DevStudio\\VB\\vb5.exe",
                  style, 0, {120, 600, 8000, 255}, gPanel.paths);
    CreateControl(gPanel.hwnd, L"STATIC",
                  L"ＶＢ６＝C:\\Program Files\\Microsoft Visual Studio\\VB98\\VB6.EXE", style, 0,
                  {120, 840, 8000, 255}, gPanel.paths);
    CreateControl(gPanel.hwnd, L"STATIC",
                  L"ここに無い場合は、ＶＢのショートカットのプロパティを見ると場所がわかります",
                  style, 0, {120, 1080, 6975, 255}, gPanel.note);
    ShowWindow(gPanel.hwnd, SW_SHOWNOACTIVATE);
    UpdateWindow(gPanel.hwnd);
}

void HidePathPanel() {
    if (gPanel.hwnd == nullptr) return;
    DestroyWindow(gPanel.hwnd);
    DeleteObject(gPanel.title);
    DeleteObject(gPanel.paths);
    DeleteObject(gPanel.note);
    gPanel = Panel{};
}

}  // namespace kinoha::ui
