#include "ui/window_base.h"

#include "ui/ui.h"

namespace kinoha::ui {

WindowFonts WindowFonts::At(UINT dpi) {
    return {GdiObject(GothicFont(9, dpi)), GdiObject(GothicFont(9, dpi, true))};
}

void SetControlFont(HWND control, const GdiObject& font) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
}

LRESULT LabelOnButtonFace(WPARAM dc) {
    SetBkMode(reinterpret_cast<HDC>(dc), TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void WindowBase::BringForward() const {
    ShowWindow(hwnd_, IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(hwnd_);
}

bool WindowBase::CreateNative(const wchar_t* className, DWORD exStyle, const wchar_t* caption,
                              DWORD style, POINT place, SIZE size, HWND owner) {
    RegisterWindowClass(className, Procedure);
    CreateWindowExW(exStyle, className, caption, style, place.x, place.y, size.cx, size.cy, owner,
                    nullptr, Instance(), this);
    return hwnd_ != nullptr;
}

void WindowBase::AdoptDpiOfPlace(UINT createdDpi) {
    const UINT dpi = Dpi();
    if (dpi == createdDpi) return;
    RECT r{};
    GetWindowRect(hwnd_, &r);
    const SIZE size = SizeAtDpi(dpi, r);
    SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyDpi(dpi);
}

LRESULT CALLBACK WindowBase::Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self =
            static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    // Messages before WM_NCCREATE (WM_GETMINMAXINFO) find no state yet.
    auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->OnClosed();
        self->hwnd_ = nullptr;
        self->focus_ = nullptr;
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    return self->Dispatch(msg, wParam, lParam);
}

LRESULT WindowBase::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ACTIVATE:
            Activated(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_DPICHANGED: {
            const UINT dpi = HIWORD(wParam);
            const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
            const SIZE size = SizeAtDpi(dpi, suggested);
            SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, size.cx, size.cy,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            ApplyDpi(dpi);
            return 0;
        }
    }
    return OnMessage(msg, wParam, lParam);
}

LRESULT WindowBase::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return Default(msg, wParam, lParam);
}

LRESULT WindowBase::Default(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

SIZE WindowBase::SizeAtDpi(UINT, const RECT& suggested) const {
    return {suggested.right - suggested.left, suggested.bottom - suggested.top};
}

void WindowBase::HandFocusOn(HWND control) const {
    if (GetFocus() != control) return;
    HWND next = GetNextDlgTabItem(hwnd_, control, FALSE);
    if (next != nullptr && next != control) SetFocus(next);
}

UINT WindowBase::Dpi() const {
    return WindowDpi(hwnd_);
}

void WindowBase::Activated(bool active) {
    if (!active) {
        HWND f = GetFocus();
        if (f != nullptr && IsChild(hwnd_, f)) focus_ = f;
        return;
    }
    HWND target = focus_;
    if (target == nullptr || !IsWindowVisible(target) || !IsWindowEnabled(target)) {
        target = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
    }
    if (target != nullptr) SetFocus(target);
}

}  // namespace kinoha::ui
