// The batch compile window "自動コンパイル画面": lays out its controls in twips, forwards the
// button presses and the close to the logic (compile/compile_run.h) and applies what it decides.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "compile/compile_layout.h"
#include "compile/compile_run.h"
#include "ui/program_windows.h"
#include "ui/ui.h"

namespace kinoha::ui {
namespace {

constexpr wchar_t kClassName[] = L"KinohaCompile";
constexpr wchar_t kCaption[] = L"自動コンパイル画面";
enum : int { kEndId = 101, kListId, kMakeId, kTitleId, kStatusId, kStopId };

// Places that never change with the height (twips, client coordinates).
constexpr TwipsRect kTitlePlace{120, 120, 6135, 375};
constexpr TwipsRect kListPlace{120, 360, 6255, 2760};
constexpr int kMakeLeft = 3480, kMakeWidth = 1575, kEndLeft = 5280, kEndWidth = 1095;
constexpr int kButtonHeight = 495, kStatusWidth = 6495, kStatusHeight = 255;

class CompileWindow final : public CompileView {
  public:
    HWND hwnd = nullptr;
    HWND cmdEnd = nullptr, lstData = nullptr, cmdMake = nullptr, lblTitle = nullptr,
         lblStatus = nullptr, cmdStop = nullptr;
    CompileRun run{*this};

    ~CompileWindow() override { DeleteFonts(); }

    void ShowMessage(const std::wstring& title, const std::wstring& text,
                     MessageIcon icon) override {
        ui::ShowMessage(hwnd, title, text, icon);
    }
    void SetStatus(const std::wstring& text) override {
        SetWindowTextW(lblStatus, text.c_str());
        UpdateWindow(lblStatus);
    }
    void SetRunning(bool running) override {
        ShowWindow(running ? cmdStop : cmdMake, SW_SHOW);
        ShowWindow(running ? cmdMake : cmdStop, SW_HIDE);
        EnableWindow(lstData, running ? FALSE : TRUE);
        EnableWindow(cmdEnd, running ? FALSE : TRUE);
        // The focus follows the button that took the pressed one's place.
        KeepFocus(running ? cmdStop : cmdMake);
    }
    std::vector<bool> Selection() override {
        const auto count = SendMessageW(lstData, LB_GETCOUNT, 0, 0);
        std::vector<bool> selected;
        for (LRESULT i = 0; i < count; ++i) {
            selected.push_back(SendMessageW(lstData, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0);
        }
        return selected;
    }
    void Beep() override { MessageBeep(MB_OK); }
    void WarningSound() override { MessageBeep(MB_ICONEXCLAMATION); }
    void SetRowResult(std::size_t, const CompileOutcome*) override {}
    void OpenLog(const std::wstring&) override {}

    void Create() {
        const UINT dpi = WindowDpi(nullptr);
        hwnd =
            CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, kCaption,
                            WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                                WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                            CW_USEDEFAULT, CW_USEDEFAULT, TwipsToPixels(kCompileWindowWidth, dpi),
                            TwipsToPixels(4515, dpi), nullptr, nullptr, Instance(), nullptr);
        if (hwnd == nullptr) return;
        MakeFonts();
        // Created in tab order. The title overlaps the list's top edge as laid out; siblings
        // clip each other so the list stays drawn above it.
        const DWORD button = WS_CLIPSIBLINGS | WS_TABSTOP | BS_PUSHBUTTON;
        const DWORD label = WS_CLIPSIBLINGS | SS_LEFT | SS_NOPREFIX;
        cmdEnd = CreateControl(hwnd, L"BUTTON", L"終了", button, kEndId,
                               {kEndLeft, 3240, kEndWidth, kButtonHeight}, font_);
        lstData = CreateControl(hwnd, L"LISTBOX", L"",
                                WS_CLIPSIBLINGS | WS_TABSTOP | WS_VSCROLL | LBS_EXTENDEDSEL |
                                    LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                                kListId, kListPlace, font_, WS_EX_CLIENTEDGE);
        cmdMake = CreateControl(hwnd, L"BUTTON", L"コンパイル開始", button, kMakeId,
                                {kMakeLeft, 3240, kMakeWidth, kButtonHeight}, font_);
        lblTitle = CreateControl(hwnd, L"STATIC", L"選択したファイルを自動でコンパイルします。",
                                 label, kTitleId, kTitlePlace, bold_);
        lblStatus = CreateControl(hwnd, L"STATIC", L"", label, kStatusId,
                                  {0, 3840, kStatusWidth, kStatusHeight}, font_);
        cmdStop = CreateControl(hwnd, L"BUTTON", L"コンパイル中止", button, kStopId,
                                {kMakeLeft, 3240, kMakeWidth, kButtonHeight}, font_);
        ShowWindow(cmdStop, SW_HIDE);
        AddTooltip(hwnd, lstData,
                   L"プロジェクトグループは、登録されたプロジェクトを全て対象とします");
        SetIcons();

        const WindowGeometry g = run.Load();
        for (const auto& row : run.Rows()) {
            SendMessageW(lstData, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
        }
        PlaceWindow(g);
        if (WindowDpi(hwnd) != dpi) {
            // The stored place lies on a monitor of another DPI: measure it there.
            ApplyDpi();
            PlaceWindow(g);
        }
        focus_ = cmdEnd;
    }

    // The outer geometry now, in twips; while minimised, the place it is restored to.
    WindowGeometry CurrentGeometry() const { return OuterGeometry(hwnd); }

    // Form_Resize: the buttons and the status line follow the bottom edge, the list the height.
    void Layout() {
        if (IsIconic(hwnd)) return;
        const UINT dpi = WindowDpi(hwnd);
        RECT client{};
        GetClientRect(hwnd, &client);
        const CompileLayout l =
            LayoutForHeight(PixelsToTwips(client.bottom, dpi) + kCompileDesignFrameHeight);
        PlaceControl(lblStatus, {0, l.statusTop, kStatusWidth, kStatusHeight}, dpi);
        PlaceControl(cmdEnd, {kEndLeft, l.buttonTop, kEndWidth, kButtonHeight}, dpi);
        PlaceControl(cmdMake, {kMakeLeft, l.buttonTop, kMakeWidth, kButtonHeight}, dpi);
        PlaceControl(cmdStop, {kMakeLeft, l.buttonTop, kMakeWidth, kButtonHeight}, dpi);
        if (l.listHeight >= 0) {
            PlaceControl(lstData, {kListPlace.left, kListPlace.top, kListPlace.width, l.listHeight},
                         dpi);
        }
        InvalidateRect(hwnd, nullptr, TRUE);
    }

    int FixedWidth() const { return TwipsToPixels(kCompileWindowWidth, WindowDpi(hwnd)); }

    // New fonts and horizontal places at the window's DPI (after a move to another monitor).
    void ApplyDpi() {
        // The controls let go of the old fonts before they are deleted.
        const HFONT oldFont = font_, oldBold = bold_;
        MakeFonts();
        const UINT dpi = WindowDpi(hwnd);
        for (HWND c : {cmdEnd, lstData, cmdMake, lblStatus, cmdStop}) {
            SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
        }
        SendMessageW(lblTitle, WM_SETFONT, reinterpret_cast<WPARAM>(bold_), TRUE);
        if (oldFont != nullptr) DeleteObject(oldFont);
        if (oldBold != nullptr) DeleteObject(oldBold);
        PlaceControl(lblTitle, kTitlePlace, dpi);
        SetIcons();
        Layout();
    }

    // The window is gone: its handles with it.
    void Closed() {
        hwnd = cmdEnd = lstData = cmdMake = lblTitle = lblStatus = cmdStop = nullptr;
        focus_ = nullptr;
        DeleteFonts();
    }

    void OnActivate(bool active) {
        if (!active) {
            HWND f = GetFocus();
            if (f != nullptr && IsChild(hwnd, f)) focus_ = f;
            return;
        }
        HWND target = focus_;
        if (target == nullptr || !IsWindowVisible(target) || !IsWindowEnabled(target)) {
            target = GetNextDlgTabItem(hwnd, nullptr, FALSE);
        }
        if (target != nullptr) SetFocus(target);
    }

  private:
    HFONT font_ = nullptr, bold_ = nullptr;
    HWND focus_ = nullptr;  // the control that had the focus when the window was left

    void MakeFonts() {
        const UINT dpi = WindowDpi(hwnd);
        font_ = GothicFont(9, dpi);
        bold_ = GothicFont(9, dpi, true);
    }
    void DeleteFonts() {
        if (font_ != nullptr) DeleteObject(font_);
        if (bold_ != nullptr) DeleteObject(bold_);
        font_ = bold_ = nullptr;
    }
    void SetIcons() {
        const UINT dpi = WindowDpi(hwnd);
        SendMessageW(hwnd, WM_SETICON, ICON_BIG,
                     reinterpret_cast<LPARAM>(ProgramIcon(GetSystemMetricsForDpi(SM_CXICON, dpi))));
        SendMessageW(
            hwnd, WM_SETICON, ICON_SMALL,
            reinterpret_cast<LPARAM>(ProgramIcon(GetSystemMetricsForDpi(SM_CXSMICON, dpi))));
    }
    void PlaceWindow(const WindowGeometry& g) {
        const RECT r = VisibleWindowRect(g.left, g.top, g.width, g.height, WindowDpi(hwnd));
        SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // A control that is hidden or disabled while it has the focus hands it on.
    void KeepFocus(HWND next) {
        HWND f = GetFocus();
        const bool lost = f == hwnd || (f != nullptr && IsChild(hwnd, f) &&
                                        (!IsWindowVisible(f) || !IsWindowEnabled(f)));
        if (lost) SetFocus(next);
        if (focus_ != nullptr && (!IsWindowVisible(focus_) || !IsWindowEnabled(focus_))) {
            focus_ = next;
        }
    }
};

std::unique_ptr<CompileWindow> gWindow;

// Keeps the outer width whichever edge is dragged.
void HoldWidth(WPARAM edge, RECT& r, int width) {
    if (edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT) {
        r.left = r.right - width;
    } else {
        r.right = r.left + width;
    }
}

LRESULT CALLBACK CompileProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CompileWindow* w = gWindow.get();
    if (msg == WM_NCCREATE && w != nullptr && w->hwnd == nullptr) w->hwnd = hwnd;
    if (w == nullptr || w->hwnd != hwnd) return DefWindowProcW(hwnd, msg, wParam, lParam);
    switch (msg) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) {
                switch (LOWORD(wParam)) {
                    case kMakeId:
                        w->run.Make();
                        return 0;
                    case kStopId:
                        w->run.Stop();
                        return 0;
                    case kEndId:
                        SendMessageW(hwnd, WM_CLOSE, 0, 0);
                        return 0;
                }
            }
            break;
        case WM_CLOSE:
            if (w->run.Unload(w->CurrentGeometry())) return 0;
            DestroyWindow(hwnd);
            return 0;
        case WM_NCDESTROY:
            // The object goes when the next window replaces it: this may run inside its Create.
            w->Closed();
            return DefWindowProcW(hwnd, msg, wParam, lParam);
        case WM_SIZING:
            if (w->lstData != nullptr) {
                HoldWidth(wParam, *reinterpret_cast<RECT*>(lParam), w->FixedWidth());
                return TRUE;
            }
            break;
        case WM_WINDOWPOSCHANGING: {
            auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
            if (w->lstData != nullptr && !(pos->flags & SWP_NOSIZE) && !IsIconic(hwnd)) {
                pos->cx = w->FixedWidth();
            }
            break;
        }
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED && w->lstData != nullptr) w->Layout();
            return 0;
        case WM_DPICHANGED: {
            const auto* r = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(hwnd, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            w->ApplyDpi();
            return 0;
        }
        case WM_ACTIVATE:
            w->OnActivate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

void ShowCompileWindow(HWND) {
    if (gWindow != nullptr && gWindow->hwnd != nullptr) {
        if (IsIconic(gWindow->hwnd)) ShowWindow(gWindow->hwnd, SW_RESTORE);
        ShowWindow(gWindow->hwnd, SW_SHOW);
        SetForegroundWindow(gWindow->hwnd);
        return;
    }
    RegisterWindowClass(kClassName, CompileProc);
    gWindow = std::make_unique<CompileWindow>();  // a closed one is replaced
    gWindow->Create();
    if (gWindow->hwnd == nullptr) return;
    ShowWindow(gWindow->hwnd, SW_SHOW);
    SetForegroundWindow(gWindow->hwnd);
    SetFocus(gWindow->cmdEnd);
}

}  // namespace kinoha::ui
