#include "program/win32/splash_window.h"

#include "start/start_sequence.h"
#include "tray/win32/tray_window.h"
#include "ui/ui.h"
#include "ui/window_base.h"

namespace kinoha::ui {
namespace {

constexpr int kClientWidth = 4245, kClientHeight = 1320;  // twips
constexpr int kFirstRunShift = 10000;                     // twips up and left, off screen
constexpr UINT_PTR kTimer = 1;

struct Splash {
    HWND hwnd = nullptr;
    HFONT productFont = nullptr, versionFont = nullptr;
    bool movedAway = false;
} gSplash;

void Shift(int twips) {
    const UINT dpi = WindowDpi(gSplash.hwnd);
    RECT r{};
    GetWindowRect(gSplash.hwnd, &r);
    const int d = TwipsToPixels(twips, dpi);
    SetWindowPos(gSplash.hwnd, nullptr, r.left + d, r.top + d, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK SplashProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_TIMER:
            if (wParam == kTimer) {
                KillTimer(hwnd, kTimer);  // one tick only
                CreateTrayWindow({MoveSplashOnScreen, CloseSplash});
            }
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            const UINT dpi = WindowDpi(hwnd);
            DrawIconEx(dc, TwipsToPixels(240, dpi), TwipsToPixels(240, dpi), ProgramIcon(48),
                       TwipsToPixels(855, dpi), TwipsToPixels(825, dpi), 0, nullptr, DI_NORMAL);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_CTLCOLORSTATIC:
            return LabelOnButtonFace(wParam);
        case WM_DESTROY:
            DeleteObject(gSplash.productFont);
            DeleteObject(gSplash.versionFont);
            gSplash = Splash{};
            return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
}  // namespace

HWND CreateSplashWindow() {
    RegisterWindowClass(L"KinohaSplash", SplashProc);

    const UINT dpi = WindowDpi(nullptr);
    RECT r{0, 0, TwipsToPixels(kClientWidth, dpi), TwipsToPixels(kClientHeight, dpi)};
    const DWORD style = WS_POPUP | WS_DLGFRAME;
    AdjustRectForDpi(r, style, 0, dpi);
    const int w = r.right - r.left, h = r.bottom - r.top;
    // Centred on the screen.
    const int left = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    gSplash.hwnd = CreateWindowExW(0, L"KinohaSplash", L"", style, left, top, w, h, nullptr,
                                   nullptr, Instance(), nullptr);

    gSplash.productFont = GothicFont(20.25, dpi, true, true);
    gSplash.versionFont = GothicFont(12, dpi, true, true);
    CreateControl(gSplash.hwnd, L"STATIC", ProductNameText(), SS_LEFT | SS_NOPREFIX, 0,
                  {1200, 240, 3285, 405}, gSplash.productFont);
    CreateControl(gSplash.hwnd, L"STATIC", VersionLabelText(), SS_LEFT | SS_NOPREFIX, 0,
                  {2280, 840, 1875, 240}, gSplash.versionFont);

    DecideSettingsFile();
    if (!SettingsFileExists()) {
        // First run: the questions come first, so the splash waits off screen.
        Shift(-kFirstRunShift);
        gSplash.movedAway = true;
    }
    SetTimer(gSplash.hwnd, kTimer, 5, nullptr);
    ShowWindow(gSplash.hwnd, SW_SHOWNORMAL);
    UpdateWindow(gSplash.hwnd);
    return gSplash.hwnd;
}

void MoveSplashOnScreen() {
    if (gSplash.hwnd == nullptr || !gSplash.movedAway) return;
    Shift(kFirstRunShift);
    gSplash.movedAway = false;
    UpdateWindow(gSplash.hwnd);
}

void CloseSplash() {
    if (gSplash.hwnd != nullptr) DestroyWindow(gSplash.hwnd);
}

}  // namespace kinoha::ui
