// The step count window is not built yet; its menu entry does nothing until it is.
#include "ui/program_windows.h"

namespace kinoha::ui {

void ShowStepWindow(HWND) {}

}  // namespace kinoha::ui
