// The pictures of the executables menu: the file's small shell icon, or a question mark for an
// executable that does not exist yet, at the size the window's DPI asks for. An executable on
// a host other than the project directory's is not looked at (a grey frame): drawing a menu
// must not connect to a host a project file names.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kinoha::ui {

class ExeMenuPictures {
  public:
    ~ExeMenuPictures() { Clear(); }
    // Fetches the pictures for the executables' paths (one per menu entry, in order); `home`
    // is the project directory.
    void Load(const std::vector<std::wstring>& paths, const std::wstring& home, UINT dpi);
    void Clear();
    // Draws picture i into the rectangle (the question mark when it has none).
    void Draw(std::size_t i, HDC dc, const RECT& box) const;
    int Size() const { return size_; }
    // Whether entry i got the file's own icon (false: the question mark).
    bool HasIcon(std::size_t i) const { return i < icons_.size() && icons_[i] != nullptr; }

  private:
    std::vector<HICON> icons_;
    std::vector<bool> elsewhere_;  // on another host: not looked at
    int size_ = 16;
};

// Draws the question-mark picture: a red "?" on black, filling the box.
void DrawQuestionMark(HDC dc, const RECT& box);

}  // namespace kinoha::ui
