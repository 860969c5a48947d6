// The splash window shown while the program starts.
#pragma once

#include <windows.h>

namespace kinoha::ui {

// Creates and shows the splash; its one-shot timer then creates the tray window.
HWND CreateSplashWindow();
// Brings the splash back on screen after the first-run questions.
void MoveSplashOnScreen();
// Closes the splash (end of the start sequence).
void CloseSplash();

}  // namespace kinoha::ui
