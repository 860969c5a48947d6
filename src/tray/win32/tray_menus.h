// The two tray pop-up menus made from the catalogue's menu entries: the main menu (the search's
// state, projects, then the commands) and the executables menu (pictures drawn by the owner
// window). Either ends with "その他（n 件）…" when the catalogue holds more than its entries.
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
    kQuickOpen,
    kResearch,
    kStartup,
    kMore,  // the overflow entry of either menu
    kSearchState,
};

// `startsAtLogon`: the check mark of "Windows 起動時に起動".
HMENU MakeMainMenu(bool startsAtLogon = false);
// Pictured entries ask their owner window for the picture (WM_MEASUREITEM, WM_DRAWITEM).
HMENU MakeExeMenu();

}  // namespace kinoha::ui
