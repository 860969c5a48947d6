#include "step/step_window_logic.h"

#include <thread>

#include "app/globals.h"
#include "platform/platform.h"
#include "step/step_projects.h"
#include "step/step_report.h"

namespace kinoha {

StepWindowLogic::StepWindowLogic(StepView& view) : ListRun(view, L"算出", true), view_(view) {}

StepWindowLogic::~StepWindowLogic() = default;

WindowGeometry StepWindowLogic::Form_Load() {
    // Only 1 counts with the continuation rule; any value but 1 and 2 shows as unticked.
    under_ = gUnder == 1 ? CheckState::Ticked
                         : (gUnder == 2 ? CheckState::Greyed : CheckState::Unticked);
    view_.SetUnderCheck(under_);
    std::vector<std::wstring> rows;
    FillStepProjectList(rows);
    view_.SetProjects(rows);
    view_.SetVisible(StepControl::cmdStop, false);
    return LoadRows(std::move(rows));
}

void StepWindowLogic::ShowRunning(bool running) {
    // The button that takes the other's place shows first, so the focus can move onto it.
    const StepControl shown = running ? StepControl::cmdStop : StepControl::cmdMake;
    const StepControl hidden = running ? StepControl::cmdMake : StepControl::cmdStop;
    view_.SetVisible(shown, true);
    view_.SetVisible(hidden, false);
    view_.SetEnabled(StepControl::lstData, !running);
    view_.SetEnabled(StepControl::cmdEnd, !running);
    view_.SetEnabled(StepControl::chkUnder, !running);
    // A second run cannot start inside the first.
    view_.SetEnabled(StepControl::cmdCsvWake, !running);
}

void StepWindowLogic::RunEntry(const std::wstring& projectPath) {
    // A project file that cannot be read (gone or locked since the check) would give a report
    // without members over an earlier, true one; like kinoha-step, it gets no report.
    std::string bytes;
    if (!platform::ReadFileBytes(projectPath, bytes)) {
        members_.Clear();
        lstStep_.clear();
        return;
    }
    if (!workers_) workers_ = std::make_unique<StepWorkers>(std::thread::hardware_concurrency());
    ReadProjectMembers(projectPath, members_, nullptr, workers_.get());
    StepCountOptions options;
    options.workers = workers_.get();
    options.counting.under = gUnder == 1;
    CountProjectSteps(projectPath, members_, lstStep_, options);
}

void StepWindowLogic::cmdMake_Click() {
    if (!MayStart()) return;
    RunSelected();
    workers_.reset();
}

void StepWindowLogic::cmdCsvWake_Click() {
    if (!MayStart()) return;
    const std::vector<std::size_t> rows = ValidSelection();
    if (rows.size() != 1) {
        view_.ShowMessage(L"指定エラー", L"プロジェクトを１つ選択して下さい",
                          MessageIcon::Information);
        return;
    }
    std::wstring report;
    const bool named = StepReportPath(Rows()[rows[0]], report);
    cmdMake_Click();
    // A path without ".vbp" names no report (and the count writes none): nothing to open.
    if (named) view_.OpenReport(report);
}

void StepWindowLogic::chkUnder_Click() {
    if (Running()) return;
    // A greyed box becomes ticked, as an unticked one does.
    under_ = under_ == CheckState::Ticked ? CheckState::Unticked : CheckState::Ticked;
    view_.SetUnderCheck(under_);
    gUnder = under_ == CheckState::Ticked ? 1 : 0;
}

void StepWindowLogic::cmdEnd_Click() {
    view_.CloseWindow();
}

}  // namespace kinoha
