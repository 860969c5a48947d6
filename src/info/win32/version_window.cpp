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
#include "ui/window_base.h"

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

class VersionWindowImpl final : public WindowBase, public VersionWindowView {
  public:
    void Open(HWND tray);

    void SetCaption(const std::wstring& caption) override {
        SetWindowTextW(Handle(), caption.c_str());
    }
    void SetText(const std::wstring& block) override { SetWindowTextW(title_, block.c_str()); }
    void SetLinkText(const std::wstring& address) override {
        SetWindowTextW(link_, address.c_str());
    }
    void SetLinkColour(std::uint32_t rgb) override {
        const COLORREF colour = ToColorRef(rgb);
        if (colour == linkColour_) return;  // mouse moves come often: repaint on a change only
        linkColour_ = colour;
        InvalidateRect(link_, nullptr, TRUE);
    }
    void RemoveCloseMenu() override { ui::RemoveCloseMenu(Handle()); }
    void OpenHomePage(const std::wstring& address) override {
        Win32HomePageHost host;
        kinoha::OpenHomePage(address, host);
    }
    void Unload() override { DestroyWindow(Handle()); }

  private:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
            case WM_SETCURSOR:
                if (HIWORD(lParam) == WM_MOUSEMOVE) {
                    if (reinterpret_cast<HWND>(wParam) == link_) {
                        logic_.LinkMouseMove();
                    } else if (LOWORD(lParam) == HTCLIENT) {
                        logic_.TextMouseMove();
                    }
                }
                if (reinterpret_cast<HWND>(wParam) == link_) {
                    SetCursor(LoadCursorW(nullptr, IDC_HAND));
                    return TRUE;
                }
                break;
            case WM_CTLCOLORSTATIC: {
                HDC dc = reinterpret_cast<HDC>(wParam);
                SetBkMode(dc, TRANSPARENT);
                if (reinterpret_cast<HWND>(lParam) == link_) SetTextColor(dc, linkColour_);
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
            }
            case WM_COMMAND:
                if (LOWORD(wParam) == kLinkId && HIWORD(wParam) == STN_CLICKED) {
                    logic_.LinkClick();
                } else if (LOWORD(wParam) == IDOK && HIWORD(wParam) == BN_CLICKED) {
                    logic_.OkClick();
                }
                return 0;
            case WM_SYSCOMMAND:
                // Alt+F4 asks for the Close command that the system menu no longer has.
                if ((wParam & 0xFFF0) == SC_CLOSE && !CloseMenuPresent(Handle())) return 0;
                break;
            case WM_CLOSE:
                if (!CloseMenuPresent(Handle())) return 0;
                break;
        }
        return Default(msg, wParam, lParam);
    }
    SIZE SizeAtDpi(UINT dpi, const RECT&) const override { return OuterSize(dpi); }
    // Fonts and places at a DPI. The link sits where the sixth line's text ends, as measured
    // with the font, so it stays in line whichever Gothic face stands in.
    void ApplyDpi(UINT dpi) override {
        // The controls let go of the old fonts before those are deleted.
        GdiObject oldFont = std::exchange(font_, GdiObject(GothicFont(9, dpi)));
        LOGFONTW lf{};
        GetObjectW(font_.Get(), sizeof lf, &lf);
        lf.lfUnderline = TRUE;
        GdiObject oldLinkFont = std::exchange(linkFont_, GdiObject(CreateFontIndirectW(&lf)));
        for (HWND control : {title_, ok_}) SetControlFont(control, font_);
        SetControlFont(link_, linkFont_);
        PlaceControl(title_, kTitlePlace, dpi);
        PlaceControl(ok_, kOkPlace, dpi);

        HDC dc = GetDC(Handle());
        HGDIOBJ old = SelectObject(dc, font_.Get());
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SIZE lead{};
        const std::wstring prefix(kLinkColumn, L'\u3000');
        GetTextExtentPoint32W(dc, prefix.c_str(), static_cast<int>(prefix.size()), &lead);
        SelectObject(dc, old);
        ReleaseDC(Handle(), dc);
        const int height =
            std::max(TwipsToPixels(kLinkPlace.height, dpi), static_cast<int>(metrics.tmHeight));
        SetWindowPos(link_, HWND_TOP, lead.cx, kLinkLine * metrics.tmHeight,
                     TwipsToPixels(kLinkPlace.width, dpi), height, SWP_NOACTIVATE);
    }
    void OnClosed() override {
        font_ = {};
        linkFont_ = {};
    }

    static SIZE OuterSize(UINT dpi) {
        return OuterSizeForClient(kClientWidth, kClientHeight, kStyle, kExStyle, dpi);
    }

    HWND title_ = nullptr, link_ = nullptr, ok_ = nullptr;
    GdiObject font_, linkFont_;
    COLORREF linkColour_ = RGB(0, 0, 255);
    VersionWindow logic_{*this};
};

void VersionWindowImpl::Open(HWND tray) {
    // Centred on the work area of the primary monitor.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const UINT dpi = WindowDpi(nullptr);
    const SIZE size = OuterSize(dpi);
    const POINT place{work.left + (work.right - work.left - size.cx) / 2,
                      work.top + (work.bottom - work.top - size.cy) / 2};
    if (!CreateNative(L"KinohaVersion", kExStyle, L"", kStyle, place, size, tray)) return;
    // "OK" first: it is the only control that takes the focus.
    ok_ = CreateControl(Handle(), L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, kOkPlace,
                        nullptr);
    title_ = CreateControl(Handle(), L"STATIC", L"", SS_LEFT | SS_NOPREFIX | WS_CLIPSIBLINGS, 0,
                           kTitlePlace, nullptr);
    link_ =
        CreateControl(Handle(), L"STATIC", L"", SS_LEFT | SS_NOPREFIX | SS_NOTIFY | WS_CLIPSIBLINGS,
                      kLinkId, kLinkPlace, nullptr);
    ApplyDpi(dpi);
    // Made on a monitor of another DPI than the primary one's: its size and fonts there.
    AdoptDpiOfPlace(dpi);
    logic_.Load();
    ShowWindow(Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(Handle());
    SetFocus(ok_);
}

SingleWindow<VersionWindowImpl> gVersion;

}  // namespace

void ShowVersionWindow(HWND tray) {
    gVersion.Show(tray);
}

}  // namespace kinoha::ui
