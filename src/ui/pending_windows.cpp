// The windows of the batch compile, the exclusion editor and the version information are not
// built yet; their menu entries do nothing until they are.
#include "ui/program_windows.h"

namespace kinoha::ui {

void ShowCompileWindow(HWND) {}
void ShowExclusionEditor(HWND) {}
void ShowVersionWindow(HWND) {}

}  // namespace kinoha::ui
