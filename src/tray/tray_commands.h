// What the tray does: which menu a tray event opens, and the commands behind the menu entries.
#pragma once

#include <string>

#include "tray/tray_view.h"

namespace kinoha {

enum class TrayMenu { None, Executables, Main };

// The menu for a tray event number (the mouse message of the icon); None while a compile or step
// count works (gStop False) and for every event but a button release.
TrayMenu ChooseTrayMenu(double eventNumber);

// Opens a project or group file in the VB executable.
void OpenProject(const std::wstring& path, TrayView& view);
// Runs a compiled executable.
void RunExecutable(const std::wstring& path, TrayView& view);
// Flips the file-names-only display and rebuilds the menus without a new search.
void ToggleFileNamesOnly(TrayView& view);
// Opens the help beside the program: Kinoha.hlp where there is one, else the HTML help.
void OpenHelp(TrayView& view);

}  // namespace kinoha
