// The hidden tray window: carries the tray icon and the two pop-up menus, runs the start
// sequence when it is created and the shutdown when it is destroyed.
#pragma once

#include <windows.h>

namespace kinoha::ui {

// The splash that the start sequence moves back on screen and closes; the program's top owns it.
struct SplashControl {
    void (*moveOnScreen)() = nullptr;
    void (*close)() = nullptr;
};

// Creates the tray window and runs its load (settings, first-run questions, catalogue, icon).
HWND CreateTrayWindow(const SplashControl& splash);

// Test seam: every step of the background search waits this long (a slow file server).
void SetSearchDelayForTesting(unsigned milliseconds);

}  // namespace kinoha::ui
