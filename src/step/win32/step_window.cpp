// The step count window "ステップ算出" (frmStep). Its events go to StepWindowLogic; this file
// only lays out the controls and applies what the logic decides.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <memory>

#include "step/step_window_logic.h"
#include "tray/launch.h"
#include "ui/program_windows.h"
#include "ui/ui.h"

namespace kinoha::ui {
namespace {

constexpr const wchar_t* kClass = L"KinohaStep";
constexpr const wchar_t* kCaption = L"ステップ算出";
constexpr DWORD kStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr int kDesignHeight = 4515;  // outer height in twips

enum ControlId : int {
    kIdEnd = 101,
    kIdList,
    kIdUnder,
    kIdCsvWake,
    kIdMake,
    kIdStop,
    kIdTitle,
    kIdStatus,
};

// Design places in twips; the bottom row moves with the height (Form_Resize).
constexpr TwipsRect kTitle{120, 120, 8135, 375};
constexpr TwipsRect kList{120, 360, 6255, 2760};
constexpr TwipsRect kUnder{120, 3300, 2055, 255};
constexpr TwipsRect kCsvWake{2280, 3240, 1695, 495};
constexpr TwipsRect kMake{4080, 3240, 1095, 495};
constexpr TwipsRect kStop{4080, 3240, 1095, 495};
constexpr TwipsRect kEnd{5280, 3240, 1095, 495};
constexpr TwipsRect kStatus{0, 3840, 6495, 255};

class StepWindow final : public StepView {
  public:
    HWND hwnd = nullptr;
    HWND lblTitle = nullptr, lstData = nullptr, chkUnder = nullptr, cmdCsvWake = nullptr,
         cmdMake = nullptr, cmdStop = nullptr, cmdEnd = nullptr, lblStatus = nullptr;
    HWND focus = nullptr;  // the control that had the focus when the window was deactivated
    HFONT font = nullptr, bold = nullptr;
    UINT dpi = 96;
    StepWindowLogic logic{*this};

    ~StepWindow() override {
        DeleteObject(font);
        DeleteObject(bold);
    }

    // StepView
    void ShowMessage(const std::wstring& title, const std::wstring& text,
                     MessageIcon icon) override {
        ui::ShowMessage(hwnd, title, text, icon);
    }
    void SetProjects(const std::vector<std::wstring>& rows) override {
        SendMessageW(lstData, LB_RESETCONTENT, 0, 0);
        for (const auto& row : rows)
            SendMessageW(lstData, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
    }
    std::vector<std::size_t> SelectedRows() override {
        const LRESULT n = SendMessageW(lstData, LB_GETSELCOUNT, 0, 0);
        if (n <= 0) return {};
        std::vector<int> items(static_cast<std::size_t>(n));
        const LRESULT got = SendMessageW(lstData, LB_GETSELITEMS, static_cast<WPARAM>(n),
                                         reinterpret_cast<LPARAM>(items.data()));
        items.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        std::sort(items.begin(), items.end());
        return {items.begin(), items.end()};
    }
    void SetStatus(const std::wstring& text) override {
        SetWindowTextW(lblStatus, text.c_str());
        // The progress shows even when a count leaves no time for the event pump.
        UpdateWindow(lblStatus);
    }
    void SetVisible(StepControl control, bool visible) override {
        HWND h = Handle(control);
        if (!visible) MoveFocusFrom(h);
        ShowWindow(h, visible ? SW_SHOWNA : SW_HIDE);
    }
    void SetEnabled(StepControl control, bool enabled) override {
        HWND h = Handle(control);
        if (!enabled) MoveFocusFrom(h);
        EnableWindow(h, enabled ? TRUE : FALSE);
    }
    void SetUnderCheck(CheckState state) override {
        const WPARAM check =
            state == CheckState::Ticked
                ? BST_CHECKED
                : (state == CheckState::Greyed ? BST_INDETERMINATE : BST_UNCHECKED);
        SendMessageW(chkUnder, BM_SETCHECK, check, 0);
    }
    void Beep() override { MessageBeep(MB_OK); }
    void OpenReport(const std::wstring& path) override {
        std::int16_t result = 0;
        LaunchFile(hwnd, path, result);
    }
    // After the click has been handled: the window and this object go with the close.
    void CloseWindow() override { PostMessageW(hwnd, WM_CLOSE, 0, 0); }

    HWND Handle(StepControl control) const {
        switch (control) {
            case StepControl::lstData:
                return lstData;
            case StepControl::chkUnder:
                return chkUnder;
            case StepControl::cmdCsvWake:
                return cmdCsvWake;
            case StepControl::cmdMake:
                return cmdMake;
            case StepControl::cmdStop:
                return cmdStop;
            case StepControl::cmdEnd:
                return cmdEnd;
        }
        return nullptr;
    }

    // A control that is hidden or disabled hands the focus on in tab order, as a form does.
    void MoveFocusFrom(HWND control) {
        if (GetFocus() != control) return;
        HWND next = GetNextDlgTabItem(hwnd, control, FALSE);
        if (next != nullptr && next != control) SetFocus(next);
    }

    void CreateControls() {
        font = GothicFont(9, dpi);
        bold = GothicFont(9, dpi, true);
        const DWORD clip = WS_CLIPSIBLINGS;
        // Created in the keyboard focus order: the buttons of the bottom row and the list take
        // the focus in this order, "終了" first.
        cmdEnd = CreateControl(hwnd, L"BUTTON", L"終了", clip | WS_TABSTOP | BS_PUSHBUTTON, kIdEnd,
                               kEnd, font);
        lstData = CreateControl(
            hwnd, L"LISTBOX", L"",
            clip | WS_TABSTOP | WS_VSCROLL | LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
            kIdList, kList, font, WS_EX_CLIENTEDGE);
        chkUnder = CreateControl(hwnd, L"BUTTON", L"＿の行を１行と扱う",
                                 clip | WS_TABSTOP | BS_3STATE, kIdUnder, kUnder, font);
        cmdCsvWake = CreateControl(hwnd, L"BUTTON", L"算出後、結果表示",
                                   clip | WS_TABSTOP | BS_PUSHBUTTON, kIdCsvWake, kCsvWake, font);
        cmdMake = CreateControl(hwnd, L"BUTTON", L"算出のみ", clip | WS_TABSTOP | BS_PUSHBUTTON,
                                kIdMake, kMake, font);
        cmdStop = CreateControl(hwnd, L"BUTTON", L"算出中止", clip | WS_TABSTOP | BS_PUSHBUTTON,
                                kIdStop, kStop, font);
        // Labels last, under the other controls: the title's lower edge lies under the list.
        lblTitle = CreateControl(hwnd, L"STATIC",
                                 L"選択したﾌﾟﾛｼﾞｪｸﾄのｽﾃｯﾌﾟをﾌﾟﾛｼﾞｪｸﾄ名_Step.csvとして作成します。",
                                 clip | SS_LEFT | SS_NOPREFIX, kIdTitle, kTitle, bold);
        lblStatus = CreateControl(hwnd, L"STATIC", L"", clip | SS_LEFT | SS_NOPREFIX, kIdStatus,
                                  kStatus, font);
        AddTooltip(hwnd, lstData,
                   L"プロジェクトグループは、登録されたプロジェクトを１個づつ分割しています");
        AddTooltip(hwnd, chkUnder, L"チェック有り＝＿を使って複数行にしている箇所を１行として扱う");
    }

    // Form_Resize: the bottom row and the list's height follow the outer height.
    void Layout() {
        if (lstData == nullptr || IsIconic(hwnd)) return;
        RECT r{};
        GetWindowRect(hwnd, &r);
        const StepLayout l = StepWindowLogic::Form_Resize(PixelsToTwips(r.bottom - r.top, dpi));
        PlaceControl(lblStatus, {kStatus.left, l.statusTop, kStatus.width, kStatus.height}, dpi);
        for (const auto& [h, place] : {std::pair{cmdEnd, kEnd}, std::pair{cmdCsvWake, kCsvWake},
                                       std::pair{cmdMake, kMake}, std::pair{cmdStop, kStop}})
            PlaceControl(h, {place.left, l.buttonsTop, place.width, place.height}, dpi);
        PlaceControl(chkUnder, {kUnder.left, l.underTop, kUnder.width, kUnder.height}, dpi);
        if (l.listFits)
            PlaceControl(lstData, {kList.left, kList.top, kList.width, l.listHeight}, dpi);
    }

    int WidthPixels() const { return TwipsToPixels(kStepWindowWidth, dpi); }

    // Moved to a monitor of another DPI: new fonts, the design places at the new scale.
    void ChangeDpi(UINT newDpi, const RECT& suggested) {
        dpi = newDpi;
        HFONT oldFont = font, oldBold = bold;
        font = GothicFont(9, dpi);
        bold = GothicFont(9, dpi, true);
        for (const auto& [h, place] :
             {std::pair{cmdEnd, kEnd}, std::pair{lstData, kList}, std::pair{chkUnder, kUnder},
              std::pair{cmdCsvWake, kCsvWake}, std::pair{cmdMake, kMake}, std::pair{cmdStop, kStop},
              std::pair{lblTitle, kTitle}, std::pair{lblStatus, kStatus}}) {
            SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(h == lblTitle ? bold : font),
                         TRUE);
            PlaceControl(h, place, dpi);
        }
        DeleteObject(oldFont);
        DeleteObject(oldBold);
        SetWindowPos(hwnd, nullptr, suggested.left, suggested.top, WidthPixels(),
                     suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
        Layout();
    }

    WindowGeometry Geometry() const { return OuterGeometry(hwnd); }
};

std::unique_ptr<StepWindow> gStep;

LRESULT CALLBACK StepProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    StepWindow* w = gStep.get();
    if (w == nullptr || (w->hwnd != nullptr && w->hwnd != hwnd))
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    switch (msg) {
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) break;
            switch (LOWORD(wParam)) {
                case kIdMake:
                    w->logic.cmdMake_Click();
                    return 0;
                case kIdCsvWake:
                    w->logic.cmdCsvWake_Click();
                    return 0;
                case kIdStop:
                    w->logic.cmdStop_Click();
                    return 0;
                case kIdUnder:
                    w->logic.chkUnder_Click();
                    return 0;
                case kIdEnd:
                    w->logic.cmdEnd_Click();
                    return 0;
            }
            break;
        case WM_CTLCOLORSTATIC:
            SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        case WM_GETMINMAXINFO: {
            // Only the height follows the user.
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMinTrackSize.x = info->ptMaxTrackSize.x = w->WidthPixels();
            return 0;
        }
        case WM_WINDOWPOSCHANGING: {
            auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
            if (!(pos->flags & SWP_NOSIZE) && !IsIconic(hwnd)) pos->cx = w->WidthPixels();
            break;
        }
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) w->Layout();
            return 0;
        case WM_DPICHANGED:
            w->ChangeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_ACTIVATE:
            // Not a dialog: the focus is kept and given back by hand.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND f = GetFocus();
                if (f != nullptr && IsChild(hwnd, f)) w->focus = f;
            } else {
                HWND f = w->focus;
                if (f == nullptr || !IsWindowVisible(f) || !IsWindowEnabled(f))
                    f = GetNextDlgTabItem(hwnd, nullptr, FALSE);
                if (f != nullptr) SetFocus(f);
            }
            return 0;
        case WM_CLOSE:
            // Form_Unload; the object may go with the window, so nothing follows.
            if (w->logic.Form_Unload(w->Geometry())) DestroyWindow(hwnd);
            return 0;
        case WM_NCDESTROY:
            gStep.reset();
            return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

void ShowStepWindow(HWND) {
    if (gStep != nullptr) {
        ShowWindow(gStep->hwnd, IsIconic(gStep->hwnd) ? SW_RESTORE : SW_SHOW);
        SetForegroundWindow(gStep->hwnd);
        return;
    }
    RegisterWindowClass(kClass, StepProc);

    gStep = std::make_unique<StepWindow>();
    StepWindow& w = *gStep;
    w.dpi = WindowDpi(nullptr);
    HWND hwnd = CreateWindowExW(WS_EX_CONTROLPARENT, kClass, kCaption, kStyle, CW_USEDEFAULT,
                                CW_USEDEFAULT, w.WidthPixels(), TwipsToPixels(kDesignHeight, w.dpi),
                                nullptr, nullptr, Instance(), nullptr);
    if (hwnd == nullptr) {
        gStep.reset();
        return;
    }
    w.hwnd = hwnd;
    w.dpi = WindowDpi(hwnd);
    w.CreateControls();

    // Form_Load, then the shared geometry (kept on a monitor that is there).
    const WindowGeometry g = w.logic.Form_Load();
    const RECT r = VisibleWindowRect(g.left, g.top, g.width, g.height, w.dpi);
    SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // The place may lie on a monitor of another DPI: take its scale.
    const UINT placed = WindowDpi(hwnd);
    if (placed != w.dpi) {
        const RECT again = VisibleWindowRect(g.left, g.top, g.width, g.height, placed);
        w.ChangeDpi(placed, again);
    }
    w.Layout();
    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
    SetFocus(w.cmdEnd);
}

}  // namespace kinoha::ui
