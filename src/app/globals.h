// The program-wide values. They live for the whole run; ResetGlobals gives them the values
// they have before the settings are loaded (tests call it between cases).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/sorted_list.h"

namespace kinoha {

// Settings record, in twips where a geometry.
extern std::int32_t gTop;
extern std::int32_t gLeft;
extern std::int32_t gHeight;
extern std::int32_t gWidth;
extern std::wstring gVbMain;
extern std::wstring gPrjDir;
extern std::int32_t gUnder;
extern std::int32_t gCtl;          // 1: the step count counts user controls and property pages
extern std::int32_t gVbCmt;        // 1: the step count takes comments as VB does
extern std::int32_t gMakeChanged;  // 1: the batch compile compiles only what is out of date

extern std::wstring gIniPath;  // full path of the settings file

// Busy flag: true while idle or when a stop was asked for; false while a compile or a step
// count runs (the tray then ignores its clicks).
extern bool gStop;

// The catalogue's lists and the file-names-only flag (the check mark of the tray's "mnuFile").
extern SortedList lstPrj;                    // project and group file paths, sorted
extern std::vector<std::wstring> lstExe;     // executable paths, in order of adding
extern std::vector<std::wstring> lstJyogai;  // exclusion strings, as stored
extern bool gFileNamesOnly;

void ResetGlobals();

}  // namespace kinoha
