// The two tray pop-up menus made from the catalogue's menu entries: the main menu (projects,
// then the commands) and the executables menu (pictures drawn by the owner window).
#pragma once

#include <windows.h>

namespace kinoha::ui {

enum TrayCommand : UINT {
    kTskBase = 1000,  // mnuTSK(0..99)
    kExeBase = 1100,  // mnuEXE(0..99)
    kDir = 1200,
    kPath,
    kJyogai,
    kFile,
    kMake,
    kStep,
    kVersion,
    kHelp,
    kEnd,
};

HMENU MakeMainMenu();
// Pictured entries ask their owner window for the picture (WM_MEASUREITEM, WM_DRAWITEM).
HMENU MakeExeMenu();

}  // namespace kinoha::ui
