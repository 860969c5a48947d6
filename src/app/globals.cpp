#include "app/globals.h"

#include "app/hotkey.h"
#include "app/recent_projects.h"

namespace kinoha {

std::int32_t gTop = 0;
std::int32_t gLeft = 0;
std::int32_t gHeight = 4515;
std::int32_t gWidth = 6630;
std::wstring gVbMain;
std::wstring gPrjDir;
std::int32_t gUnder = 0;
std::int32_t gCtl = 0;
std::int32_t gVbCmt = 0;
std::int32_t gMakeChanged = 0;
std::wstring gIniPath;
bool gStop = true;
SortedList lstPrj;
std::vector<std::wstring> lstExe;
std::vector<std::wstring> lstJyogai;
bool gFileNamesOnly = false;

void ResetGlobals() {
    gTop = 0;
    gLeft = 0;
    gHeight = 4515;
    gWidth = 6630;
    gVbMain.clear();
    gPrjDir.clear();
    gUnder = 0;
    gCtl = 0;
    gVbCmt = 0;
    gMakeChanged = 0;
    gIniPath.clear();
    gStop = true;
    lstPrj.Clear();
    lstExe.clear();
    lstJyogai.clear();
    gFileNamesOnly = false;
    gHotkey = DefaultHotkey();
    gRecent.clear();
}

}  // namespace kinoha
