// The common open-file dialog and the shell's folder browser.
#pragma once

#include <windows.h>

#include <string>

namespace kinoha::ui {

// The chosen file's full path, or empty when cancelled. The current directory is the same
// afterwards, whatever the dialog did to it.
std::wstring ChooseOpenFile(HWND owner, const std::wstring& initialDir,
                            const std::wstring& filterText, const std::wstring& filterPattern);
// The chosen folder's file-system path, or empty when cancelled or it has none.
std::wstring ChooseFolder(HWND owner, const std::wstring& title);
// The shell's folder browser with the files shown too: the chosen folder's or file's path, or
// empty when cancelled. It opens with `start` selected when that is a folder.
std::wstring ChooseFolderOrFile(HWND owner, const std::wstring& title, const std::wstring& start);

}  // namespace kinoha::ui
