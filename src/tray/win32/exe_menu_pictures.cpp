#include "tray/win32/exe_menu_pictures.h"
#include "ui/ui.h"

#include <shellapi.h>

#include "app/text_helpers.h"
#include "platform/platform.h"

namespace kinoha::ui {

void ExeMenuPictures::Load(const std::vector<std::wstring>& paths, const std::wstring& home,
                           UINT dpi) {
    Clear();
    size_ = MetricForDpi(SM_CXSMICON, dpi);
    if (size_ <= 0) size_ = 16;
    for (const auto& path : paths) {
        HICON icon = nullptr;
        const bool elsewhere = NamesOtherHost(path, home);
        elsewhere_.push_back(elsewhere);
        // The shell has no icon for a file that is not there (not compiled yet).
        if (!elsewhere && platform::LookupFile(path)) {
            SHFILEINFOW info{};
            // Above 16 pixels the large icon scaled down looks better than the small one blown up.
            const UINT flags = SHGFI_ICON | (size_ > 16 ? SHGFI_LARGEICON : SHGFI_SMALLICON);
            if (SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, flags) != 0) icon = info.hIcon;
        }
        icons_.push_back(icon);
    }
}

void ExeMenuPictures::Clear() {
    for (HICON icon : icons_) {
        if (icon != nullptr) DestroyIcon(icon);
    }
    icons_.clear();
    elsewhere_.clear();
}

void ExeMenuPictures::Draw(std::size_t i, HDC dc, const RECT& box) const {
    const RECT square{box.left, box.top, box.left + size_, box.top + size_};
    if (HasIcon(i)) {
        DrawIconEx(dc, square.left, square.top, icons_[i], size_, size_, 0, nullptr, DI_NORMAL);
    } else if (i < elsewhere_.size() && elsewhere_[i]) {
        FrameRect(dc, &square, GetSysColorBrush(COLOR_GRAYTEXT));
    } else {
        DrawQuestionMark(dc, square);
    }
}

void DrawQuestionMark(HDC dc, const RECT& box) {
    // The menu draws its text on the same device context afterwards: leave it as found.
    const int saved = SaveDC(dc);
    HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
    FillRect(dc, &box, black);
    DeleteObject(black);
    LOGFONTW lf{};
    lf.lfHeight = -(box.bottom - box.top);
    lf.lfWeight = FW_BOLD;
    lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
    HFONT font = CreateFontIndirectW(&lf);
    HGDIOBJ old = SelectObject(dc, font);
    SetTextColor(dc, RGB(255, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    RECT r = box;
    DrawTextW(dc, L"?", 1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    DeleteObject(font);
    RestoreDC(dc, saved);
}

}  // namespace kinoha::ui
