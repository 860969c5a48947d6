// The Win32 side of the two list-run windows (batch compile, step count; app/list_run.h): a
// window of the shared width that only the user's height changes, opened at the shared
// geometry, whose controls are laid out from one table (design places in twips, and which of
// them follow the bottom edge), with the list, the status line, the beep and messages the run
// asks for. A window adds its controls, its load and what its buttons do.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "app/list_run.h"
#include "app/window_geometry.h"
#include "ui/ui.h"
#include "ui/window_base.h"

namespace kinoha::ui {

class RunWindowBase : public WindowBase {
  public:
    // Makes the window, its controls and loads it, then shows it at the shared geometry with
    // the focus on FirstFocus() (a control made by CreateControls).
    void Open(const wchar_t* className, const wchar_t* caption);

  protected:
    // Which part of a control's place follows the window's height.
    enum class Follows {
        Nothing,     // fixed place
        Height,      // the list: its height
        ButtonRow,   // the bottom row (and what stands beside it): its top
        StatusLine,  // the status line: its top
    };

    // Makes a control at its design place, in tab order, and lays it out from now on.
    HWND AddControl(const wchar_t* className, const std::wstring& text, DWORD style,
                    const TwipsRect& design, Follows follows, bool bold = false, DWORD exStyle = 0);
    // Makes the project list (lstData) and the status line (lblStatus), which stand at the same
    // places in both windows; a window with a row of controls between the list and the bottom
    // row makes its list shorter by that row.
    void AddList(int shorterBy = 0);
    void AddStatusLine();
    // Makes a push button (or, with `style`, another kind of button) of the bottom row whose
    // click runs `onClick`.
    HWND AddButton(const std::wstring& text, const TwipsRect& design, std::function<void()> onClick,
                   DWORD style = BS_PUSHBUTTON);
    // Makes a one-line text field beside the bottom row whose every change runs `onChange`.
    HWND AddEdit(const TwipsRect& design, std::function<void()> onChange);

    // The status line's text, drawn at once: a run may leave no time for the event pump.
    void SetStatusText(const std::wstring& text);
    // The selected rows of the list, in ascending order.
    std::vector<std::size_t> SelectedListRows() const;
    // Replaces the rows of the list.
    void FillList(const std::vector<std::wstring>& rows);
    // Replaces one row's text; its selection and the list's scroll place stay.
    void SetListRow(std::size_t row, const std::wstring& text);
    // A row of the list was double-clicked, or Enter was pressed on it.
    virtual void OnListActivated(std::size_t) {}
    // The list's caret row changed (a click or a key).
    virtual void OnListCaretMoved(std::size_t) {}

    // The controls in tab order; the first to get the focus; the window's load (the logic's),
    // returning the geometry it opens at; the close, true when it may happen.
    virtual void CreateControls() = 0;
    virtual HWND FirstFocus() const = 0;
    virtual WindowGeometry Load() = 0;
    virtual bool MayClose(const WindowGeometry& current) = 0;

    HWND list_ = nullptr;    // lstData
    HWND status_ = nullptr;  // lblStatus

  private:
    struct Control {
        HWND hwnd;
        TwipsRect design;
        Follows follows;
        bool bold;
        std::function<void()> onClick;
    };

    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    SIZE SizeAtDpi(UINT dpi, const RECT& suggested) const override;
    void ApplyDpi(UINT dpi) override;
    void OnClosed() override;
    void Layout();
    // The list's sideways scroll range: its widest row in the list's font.
    void FitListExtent();
    void PlaceAt(const WindowGeometry& g);
    void SetIcons();
    int WidthPixels() const;

    std::vector<Control> controls_;
    WindowFonts fonts_;
};

// A list-run window that is also its logic's view: the view's common requests answered once.
template <class View>
class RunWindow : public RunWindowBase, public View {
  public:
    void ShowMessage(const std::wstring& title, const std::wstring& text,
                     MessageIcon icon) override {
        ui::ShowMessage(Handle(), title, text, icon);
    }
    void SetStatus(const std::wstring& text) override { SetStatusText(text); }
    std::vector<std::size_t> SelectedRows() override { return SelectedListRows(); }
    void Beep() override { MessageBeep(MB_OK); }
};

}  // namespace kinoha::ui
