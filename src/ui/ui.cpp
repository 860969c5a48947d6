#include "ui/ui.h"

#include <commctrl.h>

#include <cmath>

namespace kinoha::ui {

HINSTANCE Instance() {
    return GetModuleHandleW(nullptr);
}

namespace {
// The DPI functions of Windows 10 1607 and later, looked up when the program runs so that it
// starts on Windows 7 and 8.1 too (a static import would keep it from loading there).
struct DpiFunctions {
    UINT(WINAPI* forWindow)(HWND) = nullptr;
    UINT(WINAPI* forSystem)() = nullptr;
    int(WINAPI* metrics)(int, UINT) = nullptr;
    BOOL(WINAPI* adjust)(LPRECT, DWORD, BOOL, DWORD, UINT) = nullptr;
};

template <typename F>
void LookUp(HMODULE user32, const char* name, F& function) {
    // Through void*: a FARPROC is no function of this type to the compiler.
    function = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

const DpiFunctions& Dpi() {
    static const DpiFunctions functions = [] {
        DpiFunctions f;
        if (HMODULE user32 = GetModuleHandleW(L"user32.dll")) {
            LookUp(user32, "GetDpiForWindow", f.forWindow);
            LookUp(user32, "GetDpiForSystem", f.forSystem);
            LookUp(user32, "GetSystemMetricsForDpi", f.metrics);
            LookUp(user32, "AdjustWindowRectExForDpi", f.adjust);
        }
        return f;
    }();
    return functions;
}

// The system DPI as Windows before 1607 gives it: the screen's logical pixels per inch.
UINT ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}
}  // namespace

UINT WindowDpi(HWND window) {
    const DpiFunctions& f = Dpi();
    UINT dpi = 0;
    if (window != nullptr && f.forWindow != nullptr) {
        dpi = f.forWindow(window);
    } else if (f.forSystem != nullptr) {
        dpi = f.forSystem();
    } else {
        dpi = ScreenDpi();
    }
    return dpi != 0 ? dpi : 96;
}

int MetricForDpi(int index, UINT dpi) {
    if (Dpi().metrics != nullptr) return Dpi().metrics(index, dpi);
    // Before 1607 the metrics are those of the system DPI, the one DPI a window has there.
    return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(ScreenDpi()));
}

void AdjustRectForDpi(RECT& r, DWORD style, DWORD exStyle, UINT dpi) {
    if (Dpi().adjust != nullptr) {
        Dpi().adjust(&r, style, FALSE, exStyle, dpi);
    } else {
        AdjustWindowRectEx(&r, style, FALSE, exStyle);
    }
}

int TwipsToPixels(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}

int PixelsToTwips(int pixels, UINT dpi) {
    return MulDiv(pixels, 1440, static_cast<int>(dpi));
}

HFONT GothicFont(double points, UINT dpi, bool bold, bool italic) {
    LOGFONTW lf{};
    lf.lfHeight = -static_cast<LONG>(std::lround(points * dpi / 72.0));
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = italic ? TRUE : FALSE;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lf.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(lf.lfFaceName, L"ＭＳ ゴシック", LF_FACESIZE);
    return CreateFontIndirectW(&lf);
}

HICON ProgramIcon(int size) {
    return static_cast<HICON>(
        LoadImageW(Instance(), MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_SHARED));
}

void RegisterWindowClass(const wchar_t* name, WNDPROC proc) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = Instance();
    wc.hIcon = ProgramIcon(32);
    wc.hIconSm = ProgramIcon(16);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
}

void ShowMessage(HWND owner, const std::wstring& title, const std::wstring& text,
                 MessageIcon icon) {
    UINT flags = MB_OK | MB_SETFOREGROUND;
    switch (icon) {
        case MessageIcon::Information:
            flags |= MB_ICONINFORMATION;
            break;
        case MessageIcon::Exclamation:
            flags |= MB_ICONEXCLAMATION;
            break;
        case MessageIcon::Critical:
            flags |= MB_ICONSTOP;
            break;
        case MessageIcon::None:
            break;
    }
    MessageBoxW(owner, text.c_str(), title.c_str(), flags);
}

WindowGeometry OuterGeometry(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    if (IsIconic(window)) {
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        GetWindowPlacement(window, &wp);
        // Work-area coordinates: shift them by the work area's offset on its monitor.
        MONITORINFO mi{};
        mi.cbSize = sizeof mi;
        GetMonitorInfoW(MonitorFromRect(&wp.rcNormalPosition, MONITOR_DEFAULTTONEAREST), &mi);
        r = wp.rcNormalPosition;
        OffsetRect(&r, mi.rcWork.left - mi.rcMonitor.left, mi.rcWork.top - mi.rcMonitor.top);
    }
    const UINT dpi = WindowDpi(window);
    return {PixelsToTwips(r.top, dpi), PixelsToTwips(r.left, dpi),
            PixelsToTwips(r.bottom - r.top, dpi), PixelsToTwips(r.right - r.left, dpi)};
}

SIZE OuterSizeForClient(int clientWidthTwips, int clientHeightTwips, DWORD style, DWORD exStyle,
                        UINT dpi) {
    RECT r{0, 0, TwipsToPixels(clientWidthTwips, dpi), TwipsToPixels(clientHeightTwips, dpi)};
    AdjustRectForDpi(r, style, exStyle, dpi);
    return {r.right - r.left, r.bottom - r.top};
}

HWND CreateControl(HWND parent, const wchar_t* className, const std::wstring& text, DWORD style,
                   int id, const TwipsRect& place, HFONT font, DWORD exStyle) {
    const UINT dpi = WindowDpi(parent);
    HWND control =
        CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style,
                        TwipsToPixels(place.left, dpi), TwipsToPixels(place.top, dpi),
                        TwipsToPixels(place.width, dpi), TwipsToPixels(place.height, dpi), parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(), nullptr);
    if (control != nullptr && font != nullptr) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return control;
}

void PlaceControl(HWND control, const TwipsRect& place, UINT dpi) {
    SetWindowPos(control, nullptr, TwipsToPixels(place.left, dpi), TwipsToPixels(place.top, dpi),
                 TwipsToPixels(place.width, dpi), TwipsToPixels(place.height, dpi),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// The parent's property that holds its tooltip window.
constexpr wchar_t kTooltipProp[] = L"KinohaTooltip";

void AddTooltip(HWND parent, HWND control, const std::wstring& text) {
    const wchar_t* kProp = kTooltipProp;
    HWND tip = static_cast<HWND>(GetPropW(parent, kProp));
    if (tip == nullptr) {
        tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent,
                              nullptr, Instance(), nullptr);
        SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, 600);
        SetPropW(parent, kProp, tip);
    }
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = parent;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void SetTooltipText(HWND parent, HWND control, const std::wstring& text) {
    HWND tip = static_cast<HWND>(GetPropW(parent, kTooltipProp));
    if (tip == nullptr) return;
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = parent;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

RECT VisibleWindowRect(int leftTwips, int topTwips, int widthTwips, int heightTwips, UINT dpi) {
    RECT r{TwipsToPixels(leftTwips, dpi), TwipsToPixels(topTwips, dpi), 0, 0};
    r.right = r.left + TwipsToPixels(widthTwips, dpi);
    r.bottom = r.top + TwipsToPixels(heightTwips, dpi);
    if (MonitorFromRect(&r, MONITOR_DEFAULTTONULL) != nullptr) return r;
    // A monitor removed since the position was stored: the nearest one's work area instead.
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info);
    const RECT work = info.rcWork;
    const LONG w = r.right - r.left, h = r.bottom - r.top;
    LONG left = r.left < work.left ? work.left : r.left;
    LONG top = r.top < work.top ? work.top : r.top;
    if (left + w > work.right) left = work.right - w > work.left ? work.right - w : work.left;
    if (top + h > work.bottom) top = work.bottom - h > work.top ? work.bottom - h : work.top;
    return {left, top, left + w, top + h};
}

}  // namespace kinoha::ui
