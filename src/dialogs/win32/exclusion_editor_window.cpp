// The exclusion list editor "表示除外プロジェクト指定画面". Not modal, one instance; however it
// is closed, its list becomes the exclusion list and the tray menus are rebuilt.
#include <windows.h>

#include <vector>

#include "dialogs/exclusion_editor.h"
#include "ui/program_windows.h"
#include "ui/ui.h"

namespace kinoha::ui {
namespace {

constexpr int kClientWidth = 6540, kClientHeight = 4140;  // twips
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;
constexpr int kDropDownTwips = 2700;  // the combo box's list below its text field

enum ControlId : int { kCbo1 = 101, kCmdAdd, kLst1, kCmdDel, kLabel1 };

struct Control {
    int id;
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    DWORD exStyle;
    TwipsRect place;
    const wchar_t* tooltip;
};

// In tab order.
const Control kControls[] = {
    {kCbo1,
     L"COMBOBOX",
     L"",
     CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP,
     0,
     {120, 480, 6255, 300 + kDropDownTwips},
     L"除外する文字列を入力して「追加」を選択する"},
    {kCmdAdd,
     L"BUTTON",
     L"追加",
     BS_PUSHBUTTON | WS_TABSTOP,
     0,
     {5520, 840, 855, 255},
     L"除外する文字を設定して「追加」を押す"},
    {kLst1,
     L"LISTBOX",
     L"",
     LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
     WS_EX_CLIENTEDGE,
     {120, 1200, 6255, 2400},
     L"削除する文字列を選択して「削除」を選択する"},
    {kCmdDel,
     L"BUTTON",
     L"削除",
     BS_PUSHBUTTON | WS_TABSTOP,
     0,
     {5520, 3720, 855, 255},
     L"リストから削除する項目を指定して「削除」を押す"},
    {kLabel1,
     L"STATIC",
     L"除外するプロジェクトを指定（指定した文字を含んだPJを全て非表示）",
     SS_LEFT | SS_NOPREFIX,
     0,
     {120, 120, 6375, 375},
     nullptr},
};

class EditorWindow final : public ExclusionEditorView {
  public:
    HWND hwnd = nullptr;
    HWND controls[std::size(kControls)] = {};
    HFONT font = nullptr, bold = nullptr;
    HWND lastFocus = nullptr;
    ExclusionEditor editor{*this};

    HWND Item(int id) const { return controls[id - kCbo1]; }

    void ShowMessage(const std::wstring& title, const std::wstring& text,
                     MessageIcon icon) override {
        ui::ShowMessage(hwnd, title, text, icon);
    }
    void ShowEntries(const std::vector<std::wstring>& entries) override {
        HWND list = Item(kLst1);
        SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        SendMessageW(list, LB_RESETCONTENT, 0, 0);
        for (const auto& e : entries) {
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.c_str()));
        }
        SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
    }
    void AppendEntry(const std::wstring& entry) override {
        SendMessageW(Item(kLst1), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    void ShowChoices(const std::vector<std::wstring>& choices) override {
        HWND combo = Item(kCbo1);
        SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        for (const auto& c : choices) {
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(c.c_str()));
        }
        SetWindowTextW(combo, L"");
    }
    std::wstring InputText() override {
        HWND combo = Item(kCbo1);
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(combo)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(
            GetWindowTextW(combo, text.data(), static_cast<int>(text.size()))));
        return text;
    }
    std::vector<std::size_t> SelectedEntries() override {
        HWND list = Item(kLst1);
        const LRESULT count = SendMessageW(list, LB_GETSELCOUNT, 0, 0);
        if (count <= 0) return {};
        std::vector<int> items(static_cast<std::size_t>(count));
        const LRESULT got = SendMessageW(list, LB_GETSELITEMS, static_cast<WPARAM>(count),
                                         reinterpret_cast<LPARAM>(items.data()));
        std::vector<std::size_t> selected;
        for (LRESULT i = 0; i < got; ++i) {
            selected.push_back(static_cast<std::size_t>(items[static_cast<std::size_t>(i)]));
        }
        return selected;
    }
    void EnableDelete(bool enabled) override {
        HWND del = Item(kCmdDel);
        // A disabled button cannot keep the focus: it passes on in tab order.
        if (!enabled && GetFocus() == del) SetFocus(GetNextDlgTabItem(hwnd, del, FALSE));
        EnableWindow(del, enabled ? TRUE : FALSE);
    }
    void MoveTo(std::int32_t leftTwips, std::int32_t topTwips) override {
        RECT r{};
        GetWindowRect(hwnd, &r);
        const UINT dpi = WindowDpi(hwnd);
        const RECT place =
            VisibleWindowRect(leftTwips, topTwips, PixelsToTwips(r.right - r.left, dpi),
                              PixelsToTwips(r.bottom - r.top, dpi), dpi);
        SetWindowPos(hwnd, nullptr, place.left, place.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void Hide() override { ShowWindow(hwnd, SW_HIDE); }
    void RebuildCatalogue(bool research) override { RebuildTrayCatalogue(research); }

    void Layout(UINT dpi) {
        HFONT oldFont = font, oldBold = bold;
        font = GothicFont(9, dpi);
        bold = GothicFont(9, dpi, true);
        for (std::size_t i = 0; i < std::size(kControls); ++i) {
            HFONT f = kControls[i].id == kLabel1 ? bold : font;
            SendMessageW(controls[i], WM_SETFONT, reinterpret_cast<WPARAM>(f), TRUE);
            PlaceControl(controls[i], kControls[i].place, dpi);
        }
        if (oldFont != nullptr) DeleteObject(oldFont);
        if (oldBold != nullptr) DeleteObject(oldBold);
    }
};

EditorWindow* gEditor = nullptr;

SIZE OuterSize(UINT dpi) {
    return OuterSizeForClient(kClientWidth, kClientHeight, kStyle, kExStyle, dpi);
}

LRESULT CALLBACK EditorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    EditorWindow* self = gEditor;
    if (self == nullptr || self->hwnd != hwnd) return DefWindowProcW(hwnd, msg, wParam, lParam);
    switch (msg) {
        case WM_COMMAND: {
            const int id = LOWORD(wParam), code = HIWORD(wParam);
            if (id == kCmdAdd && code == BN_CLICKED) {
                self->editor.Add();
            } else if (id == kCmdDel && code == BN_CLICKED) {
                self->editor.Delete();
            } else if (id == kLst1 && code == LBN_SELCHANGE) {
                self->editor.ListClicked();
            }
            return 0;
        }
        case WM_CTLCOLORSTATIC:
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        case WM_ACTIVATE:
            // The focus leaves with the window and comes back to the same control.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus != nullptr && IsChild(hwnd, focus)) self->lastFocus = focus;
            } else {
                SetFocus(self->lastFocus != nullptr ? self->lastFocus : self->Item(kCbo1));
            }
            return 0;
        case WM_CLOSE:
            self->editor.Close();
            DestroyWindow(hwnd);
            return 0;
        case WM_DPICHANGED: {
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            const SIZE size = OuterSize(HIWORD(wParam));
            SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, size.cx, size.cy,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            self->Layout(HIWORD(wParam));
            return 0;
        }
        case WM_NCDESTROY:
            DeleteObject(self->font);
            DeleteObject(self->bold);
            delete self;
            gEditor = nullptr;
            break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

void ShowExclusionEditor(HWND tray) {
    if (gEditor != nullptr) {
        if (IsIconic(gEditor->hwnd)) ShowWindow(gEditor->hwnd, SW_RESTORE);
        SetForegroundWindow(gEditor->hwnd);
        return;
    }
    RegisterWindowClass(L"KinohaJyogai", EditorProc);

    const UINT dpi = WindowDpi(nullptr);
    const SIZE size = OuterSize(dpi);
    auto* self = new EditorWindow;
    gEditor = self;
    self->hwnd = CreateWindowExW(kExStyle, L"KinohaJyogai", kExclusionEditorCaption, kStyle, 0, 0,
                                 size.cx, size.cy, nullptr, nullptr, Instance(), nullptr);
    if (self->hwnd == nullptr) {
        delete self;
        gEditor = nullptr;
        return;
    }
    // The tray window's icon.
    HICON big = ProgramIcon(GetSystemMetricsForDpi(SM_CXICON, dpi));
    HICON small = ProgramIcon(GetSystemMetricsForDpi(SM_CXSMICON, dpi));
    if (tray != nullptr) {
        if (auto icon = reinterpret_cast<HICON>(GetClassLongPtrW(tray, GCLP_HICON))) big = icon;
        if (auto icon = reinterpret_cast<HICON>(GetClassLongPtrW(tray, GCLP_HICONSM))) small = icon;
    }
    SendMessageW(self->hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageW(self->hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));

    for (std::size_t i = 0; i < std::size(kControls); ++i) {
        const Control& c = kControls[i];
        self->controls[i] = CreateControl(self->hwnd, c.className, c.text, c.style, c.id, c.place,
                                          nullptr, c.exStyle);
        if (c.tooltip == nullptr) continue;
        AddTooltip(self->hwnd, self->controls[i], c.tooltip);
        // The combo box's text field takes the mouse over most of it.
        COMBOBOXINFO combo{};
        combo.cbSize = sizeof combo;
        if (c.id == kCbo1 && GetComboBoxInfo(self->controls[i], &combo) && combo.hwndItem) {
            AddTooltip(self->hwnd, combo.hwndItem, c.tooltip);
        }
    }
    self->Layout(WindowDpi(self->hwnd));
    self->editor.Load();
    // At the new place the window may have another DPI than the one it was created with.
    const UINT placed = WindowDpi(self->hwnd);
    if (placed != dpi) {
        const SIZE actual = OuterSize(placed);
        SetWindowPos(self->hwnd, nullptr, 0, 0, actual.cx, actual.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        self->Layout(placed);
    }
    ShowWindow(self->hwnd, SW_SHOWNORMAL);
    SetForegroundWindow(self->hwnd);
    SetFocus(self->Item(kCbo1));
}

}  // namespace kinoha::ui
