// What the start sequence asks of the splash and the tray window, beyond the settings dialogs
// it may need on a first run. Tests record the calls.
#pragma once

#include "dialogs/settings_view.h"

namespace kinoha {

class StartView : public SettingsView {
  public:
    // Start-up: the splash back on the screen, the tray icon, the splash gone.
    virtual void MoveSplashBack() = 0;
    virtual void AddTrayIcon() = 0;
    virtual void UnloadSplash() = 0;
    // On the first start: a notice from the tray icon where the program now lives.
    virtual void ShowFirstStartNotice() = 0;
};

}  // namespace kinoha
