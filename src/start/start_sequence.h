// Start-up and shutdown of the resident program, as seen by the splash and the tray window. It
// sits above the subsystems it brings up in order: settings, the first-run dialogs, the
// catalogue and the tray.
#pragma once

#include <string>

#include "start/start_view.h"

namespace kinoha {

// The splash's texts.
std::wstring ProductNameText();   // "Kinoha VB6用"
std::wstring VersionLabelText();  // "ﾊﾞｰｼﾞｮﾝ 3.04"

// Fixes gIniPath from the system's version name (the splash's load).
void DecideSettingsFile();
// Whether the settings file exists yet (false on a first run).
bool SettingsFileExists();

// The tray window's load: settings, first-run questions, catalogue, tray icon, splash gone.
void LoadTray(StartView& view);
// The tray window's unload before the process ends: icon removed by the caller, settings saved.
void SaveAtShutdown();

}  // namespace kinoha
