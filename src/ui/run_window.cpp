#include "ui/run_window.h"

#include <algorithm>

#include "app/run_window_layout.h"

namespace kinoha::ui {
namespace {

constexpr DWORD kStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// The top of the bottom row of buttons as designed; what stands beside the row keeps its
// distance from this.
constexpr int kDesignButtonTop = 3240;
// The outer height minus the client height of the frame the windows were designed on (4515
// outer, 4110 client). A frame of another thickness is measured as if it were this one, so the
// controls keep their distance from the client area's bottom edge.
constexpr int kDesignFrameHeight = 405;
// The list's height as designed: it ends above the bottom row.
constexpr int kDesignListHeight = 2760;
// Controls are numbered from here in the order they are made.
constexpr int kFirstControlId = 101;

}  // namespace

void RunWindowBase::Open(const wchar_t* className, const wchar_t* caption) {
    const UINT dpi = WindowDpi(nullptr);
    if (!CreateNative(
            className, WS_EX_CONTROLPARENT, caption, kStyle, {CW_USEDEFAULT, CW_USEDEFAULT},
            {TwipsToPixels(kRunWindowWidth, dpi), TwipsToPixels(kRunWindowDesignHeight, dpi)},
            nullptr)) {
        return;
    }
    fonts_ = WindowFonts::At(Dpi());
    CreateControls();
    SetIcons();
    const WindowGeometry g = Load();
    PlaceAt(g);
    if (Dpi() != dpi) {
        // The stored place lies on a monitor of another DPI: measure it there.
        ApplyDpi(Dpi());
        PlaceAt(g);
    }
    Layout();
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    SetFocus(FirstFocus());
}

HWND RunWindowBase::AddControl(const wchar_t* className, const std::wstring& text, DWORD style,
                               const TwipsRect& design, Follows follows, bool bold, DWORD exStyle) {
    const int id = kFirstControlId + static_cast<int>(controls_.size());
    // Siblings clip each other: the title's lower edge lies under the list.
    HWND control = CreateControl(hwnd_, className, text, WS_CLIPSIBLINGS | style, id, design,
                                 bold ? fonts_.bold.Font() : fonts_.plain.Font(), exStyle);
    controls_.push_back({control, design, follows, bold, {}});
    return control;
}

void RunWindowBase::AddList(int shorterBy) {
    list_ = AddControl(
        L"LISTBOX", L"",
        WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
        {120, 360, 6255, kDesignListHeight - shorterBy}, Follows::Height, false, WS_EX_CLIENTEDGE);
}

void RunWindowBase::AddStatusLine() {
    status_ = AddControl(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, {0, 3840, 6495, 255},
                         Follows::StatusLine);
}

HWND RunWindowBase::AddButton(const std::wstring& text, const TwipsRect& design,
                              std::function<void()> onClick, DWORD style) {
    HWND button = AddControl(L"BUTTON", text, WS_TABSTOP | style, design, Follows::ButtonRow);
    controls_.back().onClick = std::move(onClick);
    return button;
}

HWND RunWindowBase::AddEdit(const TwipsRect& design, std::function<void()> onChange) {
    HWND field = AddControl(L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, design, Follows::ButtonRow,
                            false, WS_EX_CLIENTEDGE);
    controls_.back().onClick = std::move(onChange);
    return field;
}

void RunWindowBase::SetStatusText(const std::wstring& text) {
    SetWindowTextW(status_, text.c_str());
    UpdateWindow(status_);
}

std::vector<std::size_t> RunWindowBase::SelectedListRows() const {
    const LRESULT n = SendMessageW(list_, LB_GETSELCOUNT, 0, 0);
    if (n <= 0) return {};
    std::vector<int> items(static_cast<std::size_t>(n));
    const LRESULT got = SendMessageW(list_, LB_GETSELITEMS, static_cast<WPARAM>(n),
                                     reinterpret_cast<LPARAM>(items.data()));
    items.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    std::sort(items.begin(), items.end());
    return {items.begin(), items.end()};
}

void RunWindowBase::FillList(const std::vector<std::wstring>& rows) {
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    for (const auto& row : rows)
        SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
    FitListExtent();
}

void RunWindowBase::FitListExtent() {
    // A path longer than the list's fixed width can still be read to its end: the list scrolls
    // sideways as far as its widest row needs.
    HDC dc = GetDC(list_);
    if (dc == nullptr) return;
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list_, WM_GETFONT, 0, 0)));
    LONG widest = 0;
    const LRESULT n = SendMessageW(list_, LB_GETCOUNT, 0, 0);
    std::wstring text;
    for (LRESULT i = 0; i < n; ++i) {
        const LRESULT length = SendMessageW(list_, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        if (length <= 0) continue;
        text.assign(static_cast<std::size_t>(length) + 1, L'\0');
        SendMessageW(list_, LB_GETTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(text.data()));
        SIZE size{};
        if (GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(length), &size))
            widest = std::max(widest, size.cx);
    }
    SelectObject(dc, old);
    ReleaseDC(list_, dc);
    // A few pixels of room after the text, as the list draws its rows with a margin.
    SendMessageW(list_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8), 0);
}

void RunWindowBase::SetListRow(std::size_t row, const std::wstring& text) {
    const auto i = static_cast<WPARAM>(row);
    if (static_cast<LRESULT>(row) >= SendMessageW(list_, LB_GETCOUNT, 0, 0)) return;
    const LRESULT selected = SendMessageW(list_, LB_GETSEL, i, 0);
    const LRESULT top = SendMessageW(list_, LB_GETTOPINDEX, 0, 0);
    const LRESULT caret = SendMessageW(list_, LB_GETCARETINDEX, 0, 0);
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list_, LB_DELETESTRING, i, 0);
    SendMessageW(list_, LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(list_, LB_SETSEL, selected > 0 ? TRUE : FALSE, static_cast<LPARAM>(row));
    SendMessageW(list_, LB_SETCARETINDEX, static_cast<WPARAM>(caret), TRUE);
    SendMessageW(list_, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    FitListExtent();
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
    UpdateWindow(list_);
}

LRESULT RunWindowBase::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND: {
            const auto caret = [this] {
                return static_cast<std::size_t>(SendMessageW(list_, LB_GETCARETINDEX, 0, 0));
            };
            if (list_ != nullptr && reinterpret_cast<HWND>(lParam) == list_) {
                if (HIWORD(wParam) == LBN_DBLCLK) OnListActivated(caret());
                if (HIWORD(wParam) == LBN_SELCHANGE) OnListCaretMoved(caret());
                return 0;
            }
            // Enter in the list: the dialog manager turns it into the default button's command.
            if (LOWORD(wParam) == IDOK && list_ != nullptr && GetFocus() == list_) {
                OnListActivated(caret());
                return 0;
            }
            const auto index = static_cast<std::size_t>(LOWORD(wParam)) -
                               static_cast<std::size_t>(kFirstControlId);
            // A button's click, or a text field's change.
            const bool acts = HIWORD(wParam) == BN_CLICKED || HIWORD(wParam) == EN_CHANGE;
            if (acts && index < controls_.size() && controls_[index].onClick) {
                // A copy: the click may close the window, and its controls go with it.
                const std::function<void()> onClick = controls_[index].onClick;
                onClick();
            }
            return 0;
        }
        case WM_CTLCOLORSTATIC:
            SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        case WM_GETMINMAXINFO: {
            // Only the height follows the user.
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMinTrackSize.x = info->ptMaxTrackSize.x = WidthPixels();
            return 0;
        }
        case WM_WINDOWPOSCHANGING: {
            auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
            if (!(pos->flags & SWP_NOSIZE) && !IsIconic(hwnd_)) pos->cx = WidthPixels();
            break;
        }
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) Layout();
            return 0;
        case WM_CLOSE:
            // The state may go with the window, so nothing follows.
            if (MayClose(OuterGeometry(hwnd_))) DestroyWindow(hwnd_);
            return 0;
    }
    return Default(msg, wParam, lParam);
}

SIZE RunWindowBase::SizeAtDpi(UINT, const RECT& suggested) const {
    return {WidthPixels(), suggested.bottom - suggested.top};
}

void RunWindowBase::ApplyDpi(UINT dpi) {
    // The controls let go of the old fonts before those are deleted.
    const WindowFonts old = std::exchange(fonts_, WindowFonts::At(dpi));
    for (const Control& c : controls_) {
        SetControlFont(c.hwnd, c.bold ? fonts_.bold : fonts_.plain);
        PlaceControl(c.hwnd, c.design, dpi);
    }
    SetIcons();
    Layout();
    if (list_ != nullptr) FitListExtent();
}

void RunWindowBase::OnClosed() {
    controls_.clear();
    list_ = status_ = nullptr;
    fonts_ = {};
}

// Form_Resize: the bottom row and the status line follow the bottom edge, the list the height.
void RunWindowBase::Layout() {
    if (list_ == nullptr || IsIconic(hwnd_)) return;
    const UINT dpi = Dpi();
    RECT client{};
    GetClientRect(hwnd_, &client);
    const RunWindowLayout l =
        RunWindowLayoutForHeight(PixelsToTwips(client.bottom, dpi) + kDesignFrameHeight);
    for (const Control& c : controls_) {
        TwipsRect place = c.design;
        switch (c.follows) {
            case Follows::Nothing:
                continue;
            case Follows::Height:
                // A window too low for the list keeps the list as it is. A list made shorter
                // keeps its distance from the bottom row.
                place.height = l.listHeight - (kDesignListHeight - c.design.height);
                if (!l.listFits || place.height < 0) continue;
                break;
            case Follows::ButtonRow:
                place.top = l.buttonsTop + (c.design.top - kDesignButtonTop);
                break;
            case Follows::StatusLine:
                place.top = l.statusTop;
                break;
        }
        PlaceControl(c.hwnd, place, dpi);
    }
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void RunWindowBase::PlaceAt(const WindowGeometry& g) {
    // Kept on a monitor that is there.
    const RECT r = VisibleWindowRect(g.left, g.top, g.width, g.height, Dpi());
    SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void RunWindowBase::SetIcons() {
    const UINT dpi = Dpi();
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(ProgramIcon(MetricForDpi(SM_CXICON, dpi))));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(ProgramIcon(MetricForDpi(SM_CXSMICON, dpi))));
}

int RunWindowBase::WidthPixels() const {
    return TwipsToPixels(kRunWindowWidth, Dpi());
}

}  // namespace kinoha::ui
