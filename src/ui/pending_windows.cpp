// The windows of the batch compile and the step count are not built yet; their menu entries do
// nothing until they are.
#include "ui/program_windows.h"

namespace kinoha::ui {

void ShowCompileWindow(HWND) {}
void ShowStepWindow(HWND) {}

}  // namespace kinoha::ui
