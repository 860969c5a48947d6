// What the tray does: which menu a tray event opens, and the commands behind the menu entries.
#pragma once

#include <string>

#include "tray/tray_view.h"

namespace kinoha {

enum class TrayMenu { None, Executables, Main };

// The menu for a tray event number (the mouse message of the icon); None while a compile or step
// count works (gStop False) and for every event but a button release.
TrayMenu ChooseTrayMenu(double eventNumber);

// Opens a project or group file in the VB executable; a project so opened becomes the first of
// the recent projects.
void OpenProject(const std::wstring& path, TrayView& view);
// Runs the executable a project compiles to (a group's first); "起動エラー" when there is none.
void RunProjectExecutable(const std::wstring& projectPath, TrayView& view);
// Opens the folder that holds a project in the file manager.
void OpenProjectFolder(const std::wstring& projectPath, TrayView& view);
// Runs a compiled executable.
void RunExecutable(const std::wstring& path, TrayView& view);
// Flips the file-names-only display and rebuilds the menus without a new search.
void ToggleFileNamesOnly(TrayView& view);
// Adds the program to the user's start-up, or removes it when it is there.
void ToggleStartsAtLogon();

// Opens the help beside the program: Kinoha.hlp where there is one, else the HTML help.
void OpenHelp(TrayView& view);

}  // namespace kinoha
