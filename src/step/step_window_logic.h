// The step count window "ステップ算出": what its events do. The window forwards its events here
// and applies what this decides through StepView; the counting is the engine's (member lists,
// then the report), the same calls as kinoha-step makes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/window_geometry.h"
#include "step/member_lists.h"
#include "step/step_failure.h"
#include "step/step_window_view.h"

namespace kinoha {

class StepWorkers;

// Where the controls go for an outer window height, in twips.
struct StepLayout {
    int statusTop = 0;   // lblStatus
    int buttonsTop = 0;  // cmdEnd, cmdCsvWake, cmdMake, cmdStop
    int underTop = 0;    // chkUnder
    int listHeight = 0;  // lstData, valid only when listFits
    bool listFits = false;
    int width = 0;  // the window's outer width, whatever the user asks for
};

inline constexpr int kStepWindowWidth = 6630;  // twips

class StepWindowLogic {
  public:
    explicit StepWindowLogic(StepView& view) : view_(view) {}
    StepWindowLogic(const StepWindowLogic&) = delete;
    StepWindowLogic& operator=(const StepWindowLogic&) = delete;

    // gStop True, chkUnder from gUnder, the project list from the catalogue. Returns the
    // shared geometry the window takes.
    WindowGeometry Form_Load();
    static StepLayout Form_Resize(int outerHeightTwips);
    // False refuses the close (a run works). The geometry is stored either way.
    bool Form_Unload(const WindowGeometry& current);

    // Counts every selected project ("算出のみ").
    void cmdMake_Click();
    // Counts exactly one selected project and opens its report ("算出後、結果表示").
    void cmdCsvWake_Click();
    void cmdStop_Click();
    void chkUnder_Click();
    void cmdEnd_Click();

    bool Running() const { return running_; }
    const std::vector<std::wstring>& lstData() const { return lstData_; }
    // The report lines of the last project counted.
    const std::vector<std::wstring>& lstStep() const { return lstStep_; }

  private:
    // The selected rows when every one of their files exists; otherwise the "ファイル無し"
    // message is shown and the result is empty.
    std::vector<std::size_t> ValidSelection();
    void EnterRunning();
    void LeaveRunning();
    // False when the project was not counted (no report written); `failure` says why.
    bool CountProject(const std::wstring& projectPath, StepWorkers& workers, StepFailure& failure);
    // The "算出エラー" message: the first project that failed, its file and why.
    void ShowFailures(const std::wstring& project, const StepFailure& first, std::size_t failed);

    StepView& view_;
    std::vector<std::wstring> lstData_;
    MemberLists members_;
    std::vector<std::wstring> lstStep_;
    CheckState under_ = CheckState::Unticked;
    bool running_ = false;
    bool lastRunCounted_ = false;  // the last run counted every selected project
};

}  // namespace kinoha
