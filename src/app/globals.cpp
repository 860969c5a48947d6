#include "app/globals.h"

#include "app/run_window_layout.h"
#include "app/settings.h"

namespace kinoha {

std::int32_t gTop = 0;
std::int32_t gLeft = 0;
std::int32_t gHeight = kRunWindowDesignHeight;
std::int32_t gWidth = kRunWindowWidth;
std::wstring gVbMain;
std::wstring gPrjDir;
std::int32_t gUnder = 0;
std::int32_t gCtl = 0;
std::int32_t gVbCmt = 0;
std::int32_t gMakeChanged = 0;
std::int32_t gMakeLimit = kDefaultMakeLimit;
std::int32_t gMakeJobs = 1;
std::wstring gDefines;
std::wstring gIniPath;
BusyFlag gStop;
SortedList lstPrj;
std::vector<std::wstring> lstExe;
std::vector<std::wstring> lstJyogai;
bool gFileNamesOnly = false;

void ResetGlobals() {
    ResetSettingsRecord();
    gIniPath.clear();
    gStop.Set(RunState::Idle);
    lstPrj.Clear();
    lstExe.clear();
}

}  // namespace kinoha
