// The step count window "ステップ算出": what its events do. The window forwards its events here
// and applies what this decides through StepView; the run over the selected projects is the
// shared list run (list_run.h), and one project's job is the engine's count (member lists, then
// the report) or its changed-step count against an older version, the same calls as
// kinoha-step makes.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/list_run.h"
#include "app/window_geometry.h"
#include "step/count_options.h"
#include "step/step_failure.h"
#include "step/step_window_view.h"
#include "step/step_workers.h"

namespace kinoha {

class StepWindowLogic final : public ListRun {
  public:
    explicit StepWindowLogic(StepView& view);
    ~StepWindowLogic() override;

    // gStop True, the check boxes from gUnder, gCtl and gVbCmt, the project list from the
    // catalogue. Returns the shared geometry the window takes.
    WindowGeometry Form_Load();
    // False refuses the close (a run works). The geometry is stored either way.
    bool Form_Unload(const WindowGeometry& current) { return MayClose(current); }

    // Counts every selected project ("算出のみ").
    void cmdMake_Click();
    // Counts exactly one selected project and opens its report ("算出後、結果表示").
    void cmdCsvWake_Click();
    void cmdStop_Click() { StopRun(); }
    void chkUnder_Click();
    void chkCtl_Click();
    void chkVbCmt_Click();
    // Asks for the older version and writes the changed-step report of every selected project
    // against it ("差分算出...").
    void cmdDiff_Click();
    void cmdEnd_Click();

    const std::vector<std::wstring>& lstData() const { return Rows(); }
    // The report lines of the last project counted.
    const std::vector<std::wstring>& lstStep() const { return lstStep_; }

  private:
    void ShowRunning(bool running) override;
    void RunEntry(const std::wstring& projectPath) override;
    // False when the project was not counted (no report written); `failure` says why.
    bool CountProject(const std::wstring& projectPath, StepFailure& failure);
    // The status line and the "算出エラー" message after a run in which a count failed: the
    // first project that failed, its file and why, and how many others failed.
    void ShowFailures(std::size_t selected);
    // The same for the changed-step report against the project's older version.
    bool DiffProject(const std::wstring& projectPath, StepFailure& failure);
    void ForgetFailures();
    CountOptions Counting() const;

    StepView& view_;
    std::unique_ptr<StepWorkers> workers_;  // for the run under way
    std::vector<std::wstring> lstStep_;
    CheckState under_ = CheckState::Unticked;
    // The run under way or last ended: projects counted, projects failed, the first failure.
    std::size_t counted_ = 0;
    std::size_t failed_ = 0;
    std::wstring failedProject_;
    StepFailure firstFailure_;
    // While a diff run works: the older version of each selected project (empty: none), and
    // the projects compared without one.
    bool diffing_ = false;
    std::map<std::wstring, std::wstring> older_;
    std::vector<std::wstring> withoutOlder_;
};

}  // namespace kinoha
