// What the step count window's logic asks of its window: the project list, the status line, which
// buttons show and which controls are usable, the check box, messages, the beep and opening a
// report. The Win32 window applies it; tests record it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "app/message.h"

namespace kinoha {

// The controls whose state the logic sets.
enum class StepControl { lstData, chkUnder, cmdCsvWake, cmdMake, cmdStop, cmdEnd };

enum class CheckState { Unticked, Ticked, Greyed };

class StepView : public MessageSink {
  public:
    // Replaces the rows of lstData; no row is selected afterwards.
    virtual void SetProjects(const std::vector<std::wstring>& rows) = 0;
    // The selected rows of lstData, in ascending order.
    virtual std::vector<std::size_t> SelectedRows() = 0;
    virtual void SetStatus(const std::wstring& text) = 0;
    virtual void SetVisible(StepControl control, bool visible) = 0;
    virtual void SetEnabled(StepControl control, bool enabled) = 0;
    virtual void SetUnderCheck(CheckState state) = 0;
    virtual void Beep() = 0;
    // Opens the report with LaunchFile on the window's behalf; returns at once.
    virtual void OpenReport(const std::wstring& path) = 0;
    // Asks the window to close (it then goes through Form_Unload).
    virtual void CloseWindow() = 0;
};

}  // namespace kinoha
