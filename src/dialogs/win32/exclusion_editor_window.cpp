// The exclusion list editor "表示除外プロジェクト指定画面". Not modal, one instance; however it
// is closed, its list becomes the exclusion list and the tray menus are rebuilt.
#include <windows.h>

#include <functional>
#include <utility>
#include <vector>

#include "dialogs/exclusion_editor.h"
#include "ui/program_windows.h"
#include "ui/ui.h"
#include "ui/window_base.h"

namespace kinoha::ui {
namespace {

// The owner's rebuild, told when the editor closes.
std::function<void(bool research)> gRebuild;

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

class EditorWindow final : public WindowBase, public ExclusionEditorView {
  public:
    void Open(HWND tray);

    void ShowMessage(const std::wstring& title, const std::wstring& text,
                     MessageIcon icon) override {
        ui::ShowMessage(Handle(), title, text, icon);
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
        if (!enabled) HandFocusOn(del);
        EnableWindow(del, enabled ? TRUE : FALSE);
    }
    void MoveTo(std::int32_t leftTwips, std::int32_t topTwips) override {
        RECT r{};
        GetWindowRect(Handle(), &r);
        const UINT dpi = Dpi();
        const RECT place =
            VisibleWindowRect(leftTwips, topTwips, PixelsToTwips(r.right - r.left, dpi),
                              PixelsToTwips(r.bottom - r.top, dpi), dpi);
        SetWindowPos(Handle(), nullptr, place.left, place.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void Hide() override { ShowWindow(Handle(), SW_HIDE); }
    void RebuildCatalogue(bool research) override {
        if (gRebuild) gRebuild(research);
    }

  private:
    HWND Item(int id) const { return controls_[id - kCbo1]; }

    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
            case WM_COMMAND: {
                const int id = LOWORD(wParam), code = HIWORD(wParam);
                if (id == kCmdAdd && code == BN_CLICKED) {
                    editor_.Add();
                } else if (id == kCmdDel && code == BN_CLICKED) {
                    editor_.Delete();
                } else if (id == kLst1 && code == LBN_SELCHANGE) {
                    editor_.ListClicked();
                }
                return 0;
            }
            case WM_CTLCOLORSTATIC:
                return LabelOnButtonFace(wParam);
            case WM_CLOSE:
                editor_.Close();
                DestroyWindow(Handle());
                return 0;
        }
        return Default(msg, wParam, lParam);
    }
    SIZE SizeAtDpi(UINT dpi, const RECT&) const override { return OuterSize(dpi); }
    // Fonts and places at a DPI.
    void ApplyDpi(UINT dpi) override {
        // The controls let go of the old fonts before those are deleted.
        const WindowFonts old = std::exchange(fonts_, WindowFonts::At(dpi));
        for (std::size_t i = 0; i < std::size(kControls); ++i) {
            SetControlFont(controls_[i], kControls[i].id == kLabel1 ? fonts_.bold : fonts_.plain);
            PlaceControl(controls_[i], kControls[i].place, dpi);
        }
    }
    void OnClosed() override { fonts_ = {}; }

    static SIZE OuterSize(UINT dpi) {
        return OuterSizeForClient(kClientWidth, kClientHeight, kStyle, kExStyle, dpi);
    }

    HWND controls_[std::size(kControls)] = {};
    WindowFonts fonts_;
    ExclusionEditor editor_{*this};
};

void EditorWindow::Open(HWND tray) {
    const UINT dpi = WindowDpi(nullptr);
    if (!CreateNative(L"KinohaJyogai", kExStyle, kExclusionEditorCaption, kStyle, {0, 0},
                      OuterSize(dpi), nullptr)) {
        return;
    }
    // The tray window's icon.
    HICON big = ProgramIcon(MetricForDpi(SM_CXICON, dpi));
    HICON small = ProgramIcon(MetricForDpi(SM_CXSMICON, dpi));
    if (tray != nullptr) {
        if (auto icon = reinterpret_cast<HICON>(GetClassLongPtrW(tray, GCLP_HICON))) big = icon;
        if (auto icon = reinterpret_cast<HICON>(GetClassLongPtrW(tray, GCLP_HICONSM))) small = icon;
    }
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));

    for (std::size_t i = 0; i < std::size(kControls); ++i) {
        const Control& c = kControls[i];
        controls_[i] = CreateControl(Handle(), c.className, c.text, c.style, c.id, c.place, nullptr,
                                     c.exStyle);
        if (c.tooltip == nullptr) continue;
        AddTooltip(Handle(), controls_[i], c.tooltip);
        // The combo box's text field takes the mouse over most of it.
        COMBOBOXINFO combo{};
        combo.cbSize = sizeof combo;
        if (c.id == kCbo1 && GetComboBoxInfo(controls_[i], &combo) && combo.hwndItem) {
            AddTooltip(Handle(), combo.hwndItem, c.tooltip);
        }
    }
    ApplyDpi(Dpi());
    editor_.Load();
    // At the new place the window may have another DPI than the one it was created with.
    AdoptDpiOfPlace(dpi);
    ShowWindow(Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(Handle());
    SetFocus(Item(kCbo1));
}

SingleWindow<EditorWindow> gEditor;

}  // namespace

void ShowExclusionEditor(HWND tray, std::function<void(bool research)> rebuild) {
    gRebuild = std::move(rebuild);
    gEditor.Show(tray);
}

}  // namespace kinoha::ui
