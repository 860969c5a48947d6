// The program-wide values. They live for the whole run; ResetGlobals gives them the values
// they have before the settings are loaded (tests call it between cases).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/sorted_list.h"

namespace kinoha {

inline constexpr std::int32_t kDefaultMakeLimit = 30;  // minutes

// Settings record, in twips where a geometry (settings.cpp keeps its tags and defaults).
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
extern std::int32_t gMakeJobs;     // compiles at once in the batch compile window (1: one by one)
extern std::int32_t gMakeLimit;    // minutes a compile may take before VB is ended; 0: none
extern std::wstring gDefines;      // conditional compilation constants, "A=1:B=0"

extern std::wstring gIniPath;  // full path of the settings file

// The busy flag's states: a compile or a step count is Running; a stop asked for is Stopping
// until the run ends.
enum class RunState { Idle, Running, Stopping };
class BusyFlag {
  public:
    RunState State() const { return state_; }
    void Set(RunState state) { state_ = state; }
    // As a Boolean, "stop": true while idle or stopping, false while a run works (the tray then
    // ignores its clicks and the running window refuses to close).
    operator bool() const { return state_ != RunState::Running; }

  private:
    RunState state_ = RunState::Idle;
};
extern BusyFlag gStop;

// The catalogue's lists and the file-names-only flag (the check mark of the tray's "mnuFile").
extern SortedList lstPrj;                    // project and group file paths, sorted
extern std::vector<std::wstring> lstExe;     // executable paths, in order of adding
extern std::vector<std::wstring> lstJyogai;  // exclusion strings, as stored
extern bool gFileNamesOnly;

void ResetGlobals();

}  // namespace kinoha
