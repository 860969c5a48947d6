// What the step count window's logic asks of its window: besides what a list run asks (status
// line, selection, messages, beep), the project list, which buttons show and which controls are
// usable, the check box and opening a report. The Win32 window applies it; tests record it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "app/list_run.h"

namespace kinoha {

// The controls whose state the logic sets.
enum class StepControl {
    lstData,
    chkUnder,
    cmdCsvWake,
    cmdMake,
    cmdStop,
    cmdEnd,
    chkCtl,    // user controls and property pages counted
    chkVbCmt,  // VB's own comment rule
    cmdDiff,   // "差分算出..."
};

enum class CheckState { Unticked, Ticked, Greyed };

class StepView : public ListRunView {
  public:
    // Replaces the rows of lstData; no row is selected afterwards.
    virtual void SetProjects(const std::vector<std::wstring>& rows) = 0;
    virtual void SetVisible(StepControl control, bool visible) = 0;
    virtual void SetEnabled(StepControl control, bool enabled) = 0;
    // The state of a check box (chkUnder, chkCtl, chkVbCmt).
    virtual void SetCheck(StepControl box, CheckState state) = 0;
    // Asks for the older version to compare with: a folder, or a project or group file, the
    // question starting at `startFolder`. Empty when the user cancels.
    virtual std::wstring ChooseOlderVersion(const std::wstring& startFolder) = 0;
    // Opens the report with LaunchFile on the window's behalf; returns at once.
    virtual void OpenReport(const std::wstring& path) = 0;
    // Asks the window to close (it then goes through Form_Unload).
    virtual void CloseWindow() = 0;
};

}  // namespace kinoha
