// The version window "Kinoha バージョン情報 VB6用": the text block, the home page link and "OK".
// Not modal, one instance, no taskbar button (owned by the tray window); only "OK" closes it.
#include <windows.h>

#include <algorithm>

#include "info/version_text.h"
#include "info/version_window.h"
#include "info/win32/browser_host.h"
#include "info/win32/system_menu.h"
#include "ui/program_windows.h"
#include "ui/ui.h"

namespace kinoha::ui {
namespace {

constexpr int kClientWidth = 4380, kClientHeight = 2130;  // twips
constexpr TwipsRect kTitlePlace{0, 0, 4695, 2055};
constexpr TwipsRect kLinkPlace{1080, 900, 3240, 180};
constexpr TwipsRect kOkPlace{1440, 1560, 1455, 335};
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr int kLinkId = 101;

COLORREF ToColorRef(std::uint32_t rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

class VersionWindowImpl final : public VersionWindowView {
  public:
    HWND hwnd = nullptr, title = nullptr, link = nullptr, ok = nullptr;
    HFONT font = nullptr, linkFont = nullptr;
    COLORREF linkColour = RGB(0, 0, 255);
    VersionWindow logic{*this};

    void SetCaption(const std::wstring& caption) override { SetWindowTextW(hwnd, caption.c_str()); }
    void SetText(const std::wstring& block) override { SetWindowTextW(title, block.c_str()); }
    void SetLinkText(const std::wstring& address) override {
        SetWindowTextW(link, address.c_str());
    }
    void SetLinkColour(std::uint32_t rgb) override {
        const COLORREF colour = ToColorRef(rgb);
        if (colour == linkColour) return;  // mouse moves come often: repaint on a change only
        linkColour = colour;
        InvalidateRect(link, nullptr, TRUE);
    }
    void RemoveCloseMenu() override { ui::RemoveCloseMenu(hwnd); }
    void OpenHomePage(const std::wstring& address) override {
        Win32HomePageHost host;
        kinoha::OpenHomePage(address, host);
    }
    void Unload() override { DestroyWindow(hwnd); }

    // Fonts and places at the window's DPI. The link sits where the sixth line's text ends, as
    // measured with the font, so it stays in line whichever Gothic face stands in.
    void Layout(UINT dpi) {
        HFONT oldFont = font, oldLinkFont = linkFont;
        font = GothicFont(9, dpi);
        LOGFONTW lf{};
        GetObjectW(font, sizeof lf, &lf);
        lf.lfUnderline = TRUE;
        linkFont = CreateFontIndirectW(&lf);
        for (HWND control : {title, ok}) {
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        }
        SendMessageW(link, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont), TRUE);
        PlaceControl(title, kTitlePlace, dpi);
        PlaceControl(ok, kOkPlace, dpi);

        HDC dc = GetDC(hwnd);
        HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SIZE lead{};
        const std::wstring prefix(kLinkColumn, L'　');
        GetTextExtentPoint32W(dc, prefix.c_str(), static_cast<int>(prefix.size()), &lead);
        SelectObject(dc, old);
        ReleaseDC(hwnd, dc);
        const int height =
            std::max(TwipsToPixels(kLinkPlace.height, dpi), static_cast<int>(metrics.tmHeight));
        SetWindowPos(link, HWND_TOP, lead.cx, kLinkLine * metrics.tmHeight,
                     TwipsToPixels(kLinkPlace.width, dpi), height, SWP_NOACTIVATE);
        if (oldFont != nullptr) DeleteObject(oldFont);
        if (oldLinkFont != nullptr) DeleteObject(oldLinkFont);
    }
};

VersionWindowImpl* gVersion = nullptr;

SIZE OuterSize(UINT dpi) {
    return OuterSizeForClient(kClientWidth, kClientHeight, kStyle, kExStyle, dpi);
}

LRESULT CALLBACK VersionProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    VersionWindowImpl* self = gVersion;
    if (self == nullptr || self->hwnd != hwnd) return DefWindowProcW(hwnd, msg, wParam, lParam);
    switch (msg) {
        case WM_SETCURSOR:
            if (HIWORD(lParam) == WM_MOUSEMOVE) {
                if (reinterpret_cast<HWND>(wParam) == self->link) {
                    self->logic.LinkMouseMove();
                } else if (LOWORD(lParam) == HTCLIENT) {
                    self->logic.TextMouseMove();
                }
            }
            if (reinterpret_cast<HWND>(wParam) == self->link) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkMode(dc, TRANSPARENT);
            if (reinterpret_cast<HWND>(lParam) == self->link) SetTextColor(dc, self->linkColour);
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == kLinkId && HIWORD(wParam) == STN_CLICKED) {
                self->logic.LinkClick();
            } else if (LOWORD(wParam) == IDOK && HIWORD(wParam) == BN_CLICKED) {
                self->logic.OkClick();
            }
            return 0;
        case WM_SYSCOMMAND:
            // Alt+F4 asks for the Close command that the system menu no longer has.
            if ((wParam & 0xFFF0) == SC_CLOSE && !CloseMenuPresent(hwnd)) return 0;
            break;
        case WM_CLOSE:
            if (!CloseMenuPresent(hwnd)) return 0;
            break;
        case WM_DPICHANGED: {
            const UINT dpi = HIWORD(wParam);
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            const SIZE size = OuterSize(dpi);
            SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, size.cx, size.cy,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            self->Layout(dpi);
            return 0;
        }
        case WM_NCDESTROY:
            DeleteObject(self->font);
            DeleteObject(self->linkFont);
            delete self;
            gVersion = nullptr;
            break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

void ShowVersionWindow(HWND tray) {
    if (gVersion != nullptr) {
        ShowWindow(gVersion->hwnd, SW_SHOW);
        SetForegroundWindow(gVersion->hwnd);
        return;
    }
    RegisterWindowClass(L"KinohaVersion", VersionProc);

    // Centred on the work area of the primary monitor.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const UINT dpi = WindowDpi(nullptr);
    const SIZE size = OuterSize(dpi);
    const int left = work.left + (work.right - work.left - size.cx) / 2;
    const int top = work.top + (work.bottom - work.top - size.cy) / 2;

    auto* self = new VersionWindowImpl;
    gVersion = self;
    self->hwnd = CreateWindowExW(kExStyle, L"KinohaVersion", L"", kStyle, left, top, size.cx,
                                 size.cy, tray, nullptr, Instance(), nullptr);
    if (self->hwnd == nullptr) {
        delete self;
        gVersion = nullptr;
        return;
    }
    const UINT windowDpi = WindowDpi(self->hwnd);
    if (windowDpi != dpi) {
        const SIZE actual = OuterSize(windowDpi);
        SetWindowPos(self->hwnd, nullptr, 0, 0, actual.cx, actual.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // "OK" first: it is the only control that takes the focus.
    self->ok = CreateControl(self->hwnd, L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK,
                             kOkPlace, nullptr);
    self->title = CreateControl(self->hwnd, L"STATIC", L"", SS_LEFT | SS_NOPREFIX | WS_CLIPSIBLINGS,
                                0, kTitlePlace, nullptr);
    self->link = CreateControl(self->hwnd, L"STATIC", L"",
                               SS_LEFT | SS_NOPREFIX | SS_NOTIFY | WS_CLIPSIBLINGS, kLinkId,
                               kLinkPlace, nullptr);
    self->Layout(windowDpi);
    self->logic.Load();
    ShowWindow(self->hwnd, SW_SHOWNORMAL);
    SetForegroundWindow(self->hwnd);
    SetFocus(self->ok);
}

}  // namespace kinoha::ui
