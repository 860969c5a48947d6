// The windows of the step count, the exclusion editor and the version
// information are not built yet; their menu entries do nothing until they are.
#include "ui/program_windows.h"

namespace kinoha::ui {

void ShowStepWindow(HWND) {}
void ShowExclusionEditor(HWND) {}
void ShowVersionWindow(HWND) {}

}  // namespace kinoha::ui
