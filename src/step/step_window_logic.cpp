#include "step/step_window_logic.h"

#include <thread>

#include "app/globals.h"
#include "platform/platform.h"
#include "step/step_projects.h"
#include "step/step_report.h"
#include "step/step_workers.h"

namespace kinoha {
namespace {

constexpr const wchar_t* kHint = L"複数選択可能：　[Shift]＝連続選択　[Ctrl]＝個別選択";
constexpr const wchar_t* kStarted = L"算出開始";
constexpr const wchar_t* kCounting = L"算出中－";
constexpr const wchar_t* kStopped = L"算出中止";
constexpr const wchar_t* kFinished = L"算出終了";
constexpr const wchar_t* kNothingUsable = L"算出中止：ファイルを選択して下さい";

}  // namespace

WindowGeometry StepWindowLogic::Form_Load() {
    gStop = true;
    // Only 1 counts with the continuation rule; any value but 1 and 2 shows as unticked.
    under_ = gUnder == 1 ? CheckState::Ticked
                         : (gUnder == 2 ? CheckState::Greyed : CheckState::Unticked);
    view_.SetUnderCheck(under_);
    FillStepProjectList(lstData_);
    view_.SetProjects(lstData_);
    view_.SetVisible(StepControl::cmdStop, false);
    view_.SetStatus(kHint);
    return {gTop, gLeft, gHeight, gWidth};
}

StepLayout StepWindowLogic::Form_Resize(int outerHeightTwips) {
    StepLayout layout;
    layout.statusTop = outerHeightTwips - 667;
    layout.buttonsTop = outerHeightTwips - 1275;
    layout.underTop = layout.buttonsTop + 60;
    layout.listHeight = outerHeightTwips - 1775;
    // A window made lower than the list can shrink keeps the list as it is; the rest still moves.
    layout.listFits = layout.listHeight >= 0;
    layout.width = kStepWindowWidth;
    return layout;
}

bool StepWindowLogic::Form_Unload(const WindowGeometry& current) {
    gTop = current.top;
    gLeft = current.left;
    gHeight = current.height;
    gWidth = current.width;
    // A run that was asked to stop has not ended yet: the window must outlive it.
    return gStop && !running_;
}

std::vector<std::size_t> StepWindowLogic::ValidSelection() {
    std::vector<std::size_t> rows;
    for (const std::size_t row : view_.SelectedRows()) {
        if (row >= lstData_.size()) continue;
        // The path itself is looked up: a project folder named like "x.EXE y" is no command line.
        if (!platform::LookupFile(lstData_[row])) {
            view_.ShowMessage(L"ファイル無し",
                              JoinLines({L"指定したファイルが存在しません",
                                         L"ファイル名やディレクトリを修正した場合は、",
                                         L"Kinoha を再起動して下さい"}),
                              MessageIcon::Exclamation);
            return {};
        }
        rows.push_back(row);
    }
    return rows;
}

void StepWindowLogic::EnterRunning() {
    view_.SetVisible(StepControl::cmdStop, true);
    view_.SetVisible(StepControl::cmdMake, false);
    view_.SetEnabled(StepControl::lstData, false);
    view_.SetEnabled(StepControl::cmdEnd, false);
    view_.SetEnabled(StepControl::chkUnder, false);
    // A second run cannot start inside the first.
    view_.SetEnabled(StepControl::cmdCsvWake, false);
}

void StepWindowLogic::LeaveRunning() {
    view_.SetVisible(StepControl::cmdMake, true);
    view_.SetVisible(StepControl::cmdStop, false);
    view_.SetEnabled(StepControl::lstData, true);
    view_.SetEnabled(StepControl::cmdEnd, true);
    view_.SetEnabled(StepControl::chkUnder, true);
    view_.SetEnabled(StepControl::cmdCsvWake, true);
}

void StepWindowLogic::CountProject(const std::wstring& projectPath, StepWorkers& workers) {
    // A project file that cannot be read (gone or locked since the check) would give a report
    // without members over an earlier, true one; like kinoha-step, it gets no report.
    std::string bytes;
    if (!platform::ReadFileBytes(projectPath, bytes)) {
        members_.Clear();
        lstStep_.clear();
        return;
    }
    ReadProjectMembers(projectPath, members_, nullptr, &workers);
    StepCountOptions options;
    options.workers = &workers;
    CountProjectSteps(projectPath, members_, lstStep_, options);
}

void StepWindowLogic::cmdMake_Click() {
    // gStop False here means another window's run works: starting one would end it (the flag
    // is shared), so the press is ignored. running_ guards against a click left in the queue.
    if (running_ || !gStop) return;
    gStop = false;
    running_ = true;
    EnterRunning();
    view_.SetStatus(kStarted);

    const std::vector<std::size_t> rows = ValidSelection();
    if (rows.empty()) {
        LeaveRunning();
        view_.SetStatus(kNothingUsable);
    } else {
        StepWorkers workers(std::thread::hardware_concurrency());
        const std::wstring total = std::to_wstring(rows.size());
        for (std::size_t n = 1; n <= rows.size(); ++n) {
            view_.SetStatus(kCounting + std::to_wstring(n) + L"/" + total);
            platform::PumpEvents();
            if (gStop) break;
            CountProject(lstData_[rows[n - 1]], workers);
            platform::PumpEvents();
            if (gStop) break;
        }
        LeaveRunning();
        view_.SetStatus(gStop ? kStopped : kFinished);
        view_.Beep();
    }
    gStop = true;
    running_ = false;
}

void StepWindowLogic::cmdCsvWake_Click() {
    if (running_ || !gStop) return;
    const std::vector<std::size_t> rows = ValidSelection();
    if (rows.size() != 1) {
        view_.ShowMessage(L"指定エラー", L"プロジェクトを１つ選択して下さい",
                          MessageIcon::Information);
        return;
    }
    std::wstring report;
    const bool named = StepReportPath(lstData_[rows[0]], report);
    cmdMake_Click();
    // A path without ".vbp" names no report (and the count writes none): nothing to open.
    if (named) view_.OpenReport(report);
}

void StepWindowLogic::cmdStop_Click() {
    if (running_) gStop = true;
}

void StepWindowLogic::chkUnder_Click() {
    if (running_) return;
    // A greyed box becomes ticked, as an unticked one does.
    under_ = under_ == CheckState::Ticked ? CheckState::Unticked : CheckState::Ticked;
    view_.SetUnderCheck(under_);
    gUnder = under_ == CheckState::Ticked ? 1 : 0;
}

void StepWindowLogic::cmdEnd_Click() {
    view_.CloseWindow();
}

}  // namespace kinoha
