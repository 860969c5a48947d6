#include "tray/win32/quick_open_window.h"

#include <commctrl.h>

#include <iterator>
#include <optional>
#include <utility>
#include <vector>

#include "app/globals.h"
#include "app/hotkey.h"
#include "app/recent_projects.h"
#include "app/text_helpers.h"
#include "catalogue/exclusion.h"
#include "catalogue/menu_model.h"
#include "catalogue/quick_open_filter.h"
#include "tray/tray_commands.h"
#include "tray/tray_notices.h"
#include "ui/ui.h"
#include "ui/window_base.h"

namespace kinoha::ui {
namespace {

constexpr int kClientWidth = 8400, kClientHeight = 6360;  // twips
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;
constexpr int kNameColumnTwips = 2700;
// Enter in the text box or the list; wParam: 1 with Ctrl down, 2 with Shift down.
constexpr UINT kEnter = WM_APP + 1;

enum ControlId : int { kText = 101, kList, kHotkeyLabel, kHotkeyBox, kHint };

struct Control {
    int id;
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    DWORD exStyle;
    TwipsRect place;
};

// In tab order.
const Control kControls[] = {
    {kText, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, {120, 120, 8160, 330}},
    {kList,
     WC_LISTVIEWW,
     L"",
     LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | WS_TABSTOP,
     WS_EX_CLIENTEDGE,
     {120, 540, 8160, 4800}},
    {kHotkeyLabel, L"STATIC", L"ホットキー：", SS_LEFT | SS_NOPREFIX, 0, {120, 5550, 1140, 255}},
    {kHotkeyBox, HOTKEY_CLASSW, L"", WS_TABSTOP, 0, {1260, 5490, 2100, 330}},
    {kHint,
     L"STATIC",
     L"Enter：VBで開く　Ctrl+Enter：実行　Shift+Enter：フォルダ",
     SS_LEFT | SS_NOPREFIX,
     0,
     {120, 5910, 8160, 255}},
};

HWND gTrayWindow = nullptr;
bool gHotkeyRegistered = false;

UINT Modifiers(const Hotkey& h) {
    return (h.ctrl ? MOD_CONTROL : 0) | (h.alt ? MOD_ALT : 0) | (h.shift ? MOD_SHIFT : 0) |
           (h.win ? MOD_WIN : 0) | MOD_NOREPEAT;
}

bool Register(HWND tray, const Hotkey& h) {
    if (gHotkeyRegistered) UnregisterHotKey(tray, kQuickOpenHotkeyId);
    gHotkeyRegistered = RegisterHotKey(tray, kQuickOpenHotkeyId, Modifiers(h), h.key) != FALSE;
    return gHotkeyRegistered;
}

// The hotkey control's value (virtual key and HOTKEYF_ flags) and back.
WORD ControlValue(const Hotkey& h) {
    const BYTE flags = static_cast<BYTE>((h.ctrl ? HOTKEYF_CONTROL : 0) |
                                         (h.alt ? HOTKEYF_ALT : 0) | (h.shift ? HOTKEYF_SHIFT : 0));
    return MAKEWORD(static_cast<BYTE>(h.key), flags);
}
std::optional<Hotkey> FromControl(WORD value) {
    Hotkey h;
    h.key = LOBYTE(value);
    const BYTE flags = HIBYTE(value);
    h.ctrl = (flags & HOTKEYF_CONTROL) != 0;
    h.alt = (flags & HOTKEYF_ALT) != 0;
    h.shift = (flags & HOTKEYF_SHIFT) != 0;
    // Only what the settings file can hold: the same rule as reading it.
    const auto parsed = ParseHotkey(HotkeyText(h));
    if (!parsed || *parsed != h) return std::nullopt;
    return h;
}

class QuickOpenWindow final : public WindowBase {
  public:
    void Open(HWND tray, TrayView& view);
    void Refocus() {
        SendMessageW(Item(kText), EM_SETSEL, 0, -1);
        SetFocus(Item(kText));
    }

  private:
    HWND Item(int id) const { return controls_[id - kText]; }

    // The catalogue's projects, minus the exclusions, taken again after each build.
    void TakeCatalogue() {
        if (generation_ == gMenuGeneration) return;
        generation_ = gMenuGeneration;
        index_.Reset(WithoutExcluded(lstPrj.Items(), lstJyogai));
        Filter();
    }

    void Filter() {
        HWND text = Item(kText);
        std::wstring query(static_cast<std::size_t>(GetWindowTextLengthW(text)) + 1, L'\0');
        query.resize(static_cast<std::size_t>(
            GetWindowTextW(text, query.data(), static_cast<int>(query.size()))));
        rows_ = index_.Filter(query, gRecent);
        HWND list = Item(kList);
        ListView_SetItemCountEx(list, static_cast<int>(rows_.size()), 0);
        if (!rows_.empty()) {
            ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED,
                                  LVIS_SELECTED | LVIS_FOCUSED);
            ListView_EnsureVisible(list, 0, FALSE);
        }
        InvalidateRect(list, nullptr, TRUE);
    }

    // Enter with its modifiers: the chosen project's command; the window closes first, so that
    // a message of the command is not hidden behind it.
    void Act(bool ctrl, bool shift) {
        const int row = ListView_GetNextItem(Item(kList), -1, LVNI_SELECTED);
        if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return;
        const std::wstring path = index_.Path(rows_[static_cast<std::size_t>(row)]);
        TrayView& view = *view_;
        DestroyWindow(Handle());
        if (ctrl) {
            RunProjectExecutable(path, view);
        } else if (shift) {
            OpenProjectFolder(path, view);
        } else {
            OpenProject(path, view);
        }
    }

    void HotkeyChanged() {
        const auto chosen =
            FromControl(static_cast<WORD>(SendMessageW(Item(kHotkeyBox), HKM_GETHOTKEY, 0, 0)));
        if (!chosen || *chosen == gHotkey) return;  // not complete yet, or unchanged
        if (Register(gTrayWindow, *chosen)) {
            gHotkey = *chosen;
            return;
        }
        ui::ShowMessage(Handle(), HotkeyTakenTitle(), HotkeyTakenText(*chosen),
                        MessageIcon::Information);
        Register(gTrayWindow, gHotkey);
        SendMessageW(Item(kHotkeyBox), HKM_SETHOTKEY, ControlValue(gHotkey), 0);
    }

    void GetText(NMLVDISPINFOW& info) {
        const auto row = static_cast<std::size_t>(info.item.iItem);
        if ((info.item.mask & LVIF_TEXT) == 0 || row >= rows_.size()) return;
        const std::wstring& path = index_.Path(rows_[row]);
        // With file names only, the folder is not shown either.
        shown_ = info.item.iSubItem == 0 ? NameOf(path) : gFileNamesOnly ? L"" : FolderOf(path);
        lstrcpynW(info.item.pszText, shown_.c_str(), info.item.cchTextMax);
    }

    // The file name in bold, the folder after it in grey.
    LRESULT CustomDraw(NMLVCUSTOMDRAW& draw) {
        switch (draw.nmcd.dwDrawStage) {
            case CDDS_PREPAINT:
                return CDRF_NOTIFYITEMDRAW;
            case CDDS_ITEMPREPAINT:
                return CDRF_NOTIFYSUBITEMDRAW;
            case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
                SelectObject(draw.nmcd.hdc,
                             draw.iSubItem == 0 ? fonts_.bold.Get() : fonts_.plain.Get());
                if (draw.iSubItem != 0) draw.clrText = GetSysColor(COLOR_GRAYTEXT);
                return CDRF_NEWFONT;
        }
        return CDRF_DODEFAULT;
    }

    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
            case WM_COMMAND: {
                const int id = LOWORD(wParam), code = HIWORD(wParam);
                if (id == kText && code == EN_CHANGE) Filter();
                if (id == kHotkeyBox && code == EN_CHANGE) HotkeyChanged();
                if (id == IDOK) Act(GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0);
                if (id == IDCANCEL) DestroyWindow(Handle());
                return 0;
            }
            case WM_NOTIFY: {
                auto* header = reinterpret_cast<NMHDR*>(lParam);
                if (header->idFrom != static_cast<UINT_PTR>(kList)) break;
                if (header->code == LVN_GETDISPINFOW) {
                    GetText(*reinterpret_cast<NMLVDISPINFOW*>(lParam));
                } else if (header->code == NM_CUSTOMDRAW) {
                    return CustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
                } else if (header->code == NM_DBLCLK) {
                    Act(false, false);
                }
                return 0;
            }
            case kEnter:
                Act((wParam & 1) != 0, (wParam & 2) != 0);
                return 0;
            case WM_NCACTIVATE:
                if (wParam) TakeCatalogue();  // a build may have ended meanwhile
                break;
            case WM_CTLCOLORSTATIC:
                return LabelOnButtonFace(wParam);
            case WM_CLOSE:
                DestroyWindow(Handle());
                return 0;
        }
        return Default(msg, wParam, lParam);
    }

    SIZE SizeAtDpi(UINT dpi, const RECT&) const override { return OuterSize(dpi); }
    void ApplyDpi(UINT dpi) override {
        const WindowFonts old = std::exchange(fonts_, WindowFonts::At(dpi));
        for (std::size_t i = 0; i < std::size(kControls); ++i) {
            SetControlFont(controls_[i], fonts_.plain);
            PlaceControl(controls_[i], kControls[i].place, dpi);
        }
        HWND list = Item(kList);
        const int name = TwipsToPixels(kNameColumnTwips, dpi);
        ListView_SetColumnWidth(list, 0, name);
        RECT r{};
        GetClientRect(list, &r);
        ListView_SetColumnWidth(list, 1,
                                (r.right - r.left) - name - MetricForDpi(SM_CXVSCROLL, dpi));
    }
    void OnClosed() override { fonts_ = {}; }

    static SIZE OuterSize(UINT dpi) {
        return OuterSizeForClient(kClientWidth, kClientHeight, kStyle, kExStyle, dpi);
    }

    HWND controls_[std::size(kControls)] = {};
    WindowFonts fonts_;
    TrayView* view_ = nullptr;
    QuickOpenIndex index_;
    std::vector<std::size_t> rows_;
    std::wstring shown_;
    std::uint64_t generation_ = ~std::uint64_t{0};
};

// Enter, Esc and the arrows in the text box: the arrows move through the list, Enter and Esc
// reach the window as OK and Cancel with their modifiers still down.
LRESULT CALLBACK KeysProc(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR list) {
    if (msg == WM_GETDLGCODE && lParam != 0) {
        const auto* m = reinterpret_cast<const MSG*>(lParam);
        if (m->message == WM_KEYDOWN && (m->wParam == VK_RETURN || m->wParam == VK_ESCAPE))
            return DLGC_WANTALLKEYS;
    }
    if (msg == WM_KEYDOWN) {
        switch (wParam) {
            case VK_RETURN:
                // The modifiers as they are now, not when the message is handled.
                PostMessageW(
                    GetParent(control), kEnter,
                    (GetKeyState(VK_CONTROL) < 0 ? 1 : 0) | (GetKeyState(VK_SHIFT) < 0 ? 2 : 0), 0);
                return 0;
            case VK_ESCAPE:
                PostMessageW(GetParent(control), WM_COMMAND, IDCANCEL, 0);
                return 0;
            case VK_UP:
            case VK_DOWN:
            case VK_PRIOR:
            case VK_NEXT:
                if (list != 0 && reinterpret_cast<HWND>(list) != control) {
                    SendMessageW(reinterpret_cast<HWND>(list), msg, wParam, lParam);
                    return 0;
                }
                break;
        }
    }
    // Enter, Ctrl+Enter and Esc as characters would beep in a one-line text box.
    if (msg == WM_CHAR && (wParam == L'\r' || wParam == L'\n' || wParam == 0x1B)) return 0;
    return DefSubclassProc(control, msg, wParam, lParam);
}

void QuickOpenWindow::Open(HWND tray, TrayView& view) {
    view_ = &view;
    const UINT dpi = WindowDpi(nullptr);
    const SIZE size = OuterSize(dpi);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const POINT place{work.left + (work.right - work.left - size.cx) / 2,
                      work.top + (work.bottom - work.top - size.cy) / 3};
    if (!CreateNative(L"KinohaQuickOpen", kExStyle, L"クイックオープン", kStyle, place, size,
                      nullptr)) {
        return;
    }
    SendMessageW(Handle(), WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(ProgramIcon(MetricForDpi(SM_CXICON, dpi))));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(ProgramIcon(MetricForDpi(SM_CXSMICON, dpi))));
    for (std::size_t i = 0; i < std::size(kControls); ++i) {
        const Control& c = kControls[i];
        controls_[i] = CreateControl(Handle(), c.className, c.text, c.style, c.id, c.place, nullptr,
                                     c.exStyle);
    }
    HWND list = Item(kList);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(L"名前");
    ListView_InsertColumn(list, 0, &column);
    column.pszText = const_cast<wchar_t*>(L"フォルダ");
    ListView_InsertColumn(list, 1, &column);
    SetWindowSubclass(Item(kText), KeysProc, 1, reinterpret_cast<DWORD_PTR>(list));
    SetWindowSubclass(list, KeysProc, 1, reinterpret_cast<DWORD_PTR>(list));
    SendMessageW(Item(kHotkeyBox), HKM_SETRULES, HKCOMB_NONE | HKCOMB_S,
                 MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
    SendMessageW(Item(kHotkeyBox), HKM_SETHOTKEY, ControlValue(gHotkey), 0);
    ApplyDpi(Dpi());
    AdoptDpiOfPlace(dpi);
    TakeCatalogue();
    (void)tray;
    ShowWindow(Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(Handle());
    SetFocus(Item(kText));
}

SingleWindow<QuickOpenWindow> gQuickOpen;

}  // namespace

void ShowQuickOpen(HWND tray, TrayView& view) {
    gQuickOpen.Show(tray, view);
}

void RegisterQuickOpenHotkey(HWND tray, TrayView& view) {
    gTrayWindow = tray;
    if (!Register(tray, gHotkey)) {
        view.ShowMessage(HotkeyTakenTitle(), HotkeyTakenText(gHotkey), MessageIcon::Information);
    }
}

}  // namespace kinoha::ui
