// A thin helper for the program's windows, in the manner of 7-Zip's CWindow2: the window's state
// object reaches its messages through lpCreateParams, GDI objects are owned (RAII), and the
// handling every window needs (the focus kept across deactivation, a move to a monitor of
// another DPI) is written here once. Not a framework: a window still handles its own messages.
// Windows only.
#pragma once

#include <windows.h>

#include <memory>
#include <utility>

namespace kinoha::ui {

// Owns a GDI object (a font, a brush, a bitmap) and deletes it when it goes.
class GdiObject {
  public:
    GdiObject() = default;
    explicit GdiObject(HGDIOBJ object) : object_(object) {}
    ~GdiObject() { Reset(); }
    GdiObject(GdiObject&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) {
            Reset();
            object_ = std::exchange(other.object_, nullptr);
        }
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    HGDIOBJ Get() const { return object_; }
    HFONT Font() const { return static_cast<HFONT>(object_); }

  private:
    void Reset() {
        if (object_ != nullptr) DeleteObject(object_);
        object_ = nullptr;
    }
    HGDIOBJ object_ = nullptr;
};

// The program's fonts at a DPI: "ＭＳ ゴシック" of 9 points, plain and bold. To change them, make
// the new set, give it to the controls, and let the old set go afterwards.
struct WindowFonts {
    GdiObject plain, bold;
    static WindowFonts At(UINT dpi);
};

// Gives a control a font and redraws it.
void SetControlFont(HWND control, const GdiObject& font);

// The answer to WM_CTLCOLORSTATIC (wParam: the control's device context) for labels drawn on the
// window's button-face background.
LRESULT LabelOnButtonFace(WPARAM dc);

class WindowBase {
  public:
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;
    virtual ~WindowBase() = default;

    // The window, or null before it is made and after it is gone.
    HWND Handle() const { return hwnd_; }
    // Shows the window again and brings it to the front, restoring it when minimised.
    void BringForward() const;

  protected:
    WindowBase() = default;

    // Registers the class (once) and makes the window at a place and size in pixels; `this`
    // reaches its messages through lpCreateParams. False when no window was made.
    bool CreateNative(const wchar_t* className, DWORD exStyle, const wchar_t* caption, DWORD style,
                      POINT place, SIZE size, HWND owner);
    // Made at `createdDpi` and then placed on a monitor of another DPI: the size and the
    // controls are taken to that DPI (SizeAtDpi, ApplyDpi).
    void AdoptDpiOfPlace(UINT createdDpi);

    // The window's own handling of a message; the system's default for what it leaves.
    virtual LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam) const;

    // Moved to a monitor of another DPI: the outer size it takes there (the one the system
    // suggests unless overridden); after the move, ApplyDpi gives the controls their fonts and
    // places at the new DPI.
    virtual SIZE SizeAtDpi(UINT dpi, const RECT& suggested) const;
    virtual void ApplyDpi(UINT dpi) = 0;
    // The window is gone (WM_NCDESTROY); Handle() is null afterwards.
    virtual void OnClosed() {}

    // A control about to be hidden or disabled while it has the focus hands the focus on in tab
    // order, as a form does.
    void HandFocusOn(HWND control) const;
    // Dots per inch of the window's monitor.
    UINT Dpi() const;

    HWND hwnd_ = nullptr;

  private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    // Not a dialog: the focus leaves with the window and comes back to the same control.
    void Activated(bool active);

    HWND focus_ = nullptr;  // the control that had the focus when the window was left
};

// The one window of a kind: made on demand, shown again while it is open, and replaced by a new
// one after it has closed. The closed one's state goes then, never while its messages run.
template <class W>
class SingleWindow {
  public:
    // Brings the open window forward, or makes a new one with W::Open(args...).
    template <class... Args>
    void Show(Args&&... args) {
        if (window_ != nullptr && window_->Handle() != nullptr) {
            window_->BringForward();
            return;
        }
        window_ = std::make_unique<W>();
        window_->Open(std::forward<Args>(args)...);
    }

  private:
    std::unique_ptr<W> window_;
};

}  // namespace kinoha::ui
