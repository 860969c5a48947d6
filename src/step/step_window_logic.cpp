#include "step/step_window_logic.h"

#include <thread>

#include "app/globals.h"
#include "app/standard_messages.h"
#include "platform/platform.h"
#include "step/step_projects.h"
#include "step/step_report.h"
#include "step/step_workers.h"

namespace kinoha {
namespace {

constexpr const wchar_t* kHint = L"複数選択可能：　[Shitt]＝連続選択　[Ctrl]＝個別選択";
constexpr const wchar_t* kStarted = L"算出開始";
constexpr const wchar_t* kCounting = L"算出中－";
constexpr const wchar_t* kStopped = L"算出中止";
constexpr const wchar_t* kFinished = L"算出終了";
constexpr const wchar_t* kNothingUsable = L"算出中止：ファイルを選択して下さい";

// What the user is told of a count that failed, in the window's words.
const wchar_t* FailureText(StepFailureKind kind) {
    switch (kind) {
        case StepFailureKind::ProjectUnreadable:
            return L"プロジェクトファイルを読めません";
        case StepFailureKind::MemberLineWithoutFile:
            return L"ファイル名の無い行があります";
        case StepFailureKind::MemberEmpty:
            return L"ファイルが空です";
        case StepFailureKind::MemberUndated:
            return L"ファイルの更新日付を読めません";
        case StepFailureKind::MemberTooLarge:
            return L"ファイルが大き過ぎます";
        case StepFailureKind::CountsTooLarge:
            return L"行数が多過ぎます";
        case StepFailureKind::ReportUnnamed:
        case StepFailureKind::ReportUnwritable:
            return L"結果ファイルを書き込めません";
        case StepFailureKind::None:
        case StepFailureKind::MemberUnreadable:
            break;
    }
    return L"ファイルを読めません";
}

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
            ShowFileMissing(view_);
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

bool StepWindowLogic::CountProject(const std::wstring& projectPath, StepWorkers& workers,
                                   StepFailure& failure) {
    // A project file that cannot be read (gone or locked since the check) would give a report
    // without members over an earlier, true one; like kinoha-step, it gets no report.
    std::string bytes;
    if (!platform::ReadFileBytes(projectPath, bytes)) {
        members_.Clear();
        lstStep_.clear();
        failure = {projectPath, {}, StepFailureKind::ProjectUnreadable};
        return false;
    }
    StepFailure note;
    ReadProjectMembers(projectPath, members_, &note, &workers);
    StepCountOptions options;
    options.workers = &workers;
    options.failure = &failure;
    options.counting.under = gUnder == 1;
    if (CountProjectSteps(projectPath, members_, lstStep_, options)) return true;
    // A form whose name could not be read is named by the member reading.
    if (failure.file.empty() && !note.file.empty()) failure = note;
    return false;
}

void StepWindowLogic::ShowFailures(const std::wstring& project, const StepFailure& first,
                                   std::size_t failed) {
    std::wstring text =
        JoinLines({L"ステップを算出できませんでした", L"ＰＲＪ名：" + project,
                   L"ファイル：" + first.file, std::wstring(L"理由：") + FailureText(first.kind)});
    if (failed > 1)
        text += L"\r\nほかに " + std::to_wstring(failed - 1) + L" 件算出できませんでした";
    view_.ShowMessage(L"算出エラー", text, MessageIcon::Exclamation);
}

void StepWindowLogic::cmdMake_Click() {
    // gStop False here means another window's run works: starting one would end it (the flag
    // is shared), so the press is ignored. running_ guards against a click left in the queue.
    if (running_ || !gStop) return;
    gStop = false;
    running_ = true;
    EnterRunning();
    view_.SetStatus(kStarted);

    lastRunCounted_ = false;
    const std::vector<std::size_t> rows = ValidSelection();
    if (rows.empty()) {
        LeaveRunning();
        view_.SetStatus(kNothingUsable);
    } else {
        StepWorkers workers(std::thread::hardware_concurrency());
        const std::wstring total = std::to_wstring(rows.size());
        std::size_t counted = 0, failed = 0;
        std::wstring failedProject;
        StepFailure firstFailure;
        for (std::size_t n = 1; n <= rows.size(); ++n) {
            view_.SetStatus(kCounting + std::to_wstring(n) + L"/" + total);
            platform::PumpEvents();
            if (gStop) break;
            // A failed project is told, not passed over: the run goes on with the next one.
            StepFailure failure;
            if (CountProject(lstData_[rows[n - 1]], workers, failure)) {
                ++counted;
            } else if (failed++ == 0) {
                failedProject = lstData_[rows[n - 1]];
                firstFailure = failure;
            }
            platform::PumpEvents();
            if (gStop) break;
        }
        LeaveRunning();
        if (failed > 0) {
            view_.SetStatus(L"算出失敗：" + std::to_wstring(failed) + L"/" + total +
                            L" 件算出できませんでした");
        } else {
            view_.SetStatus(gStop ? kStopped : kFinished);
        }
        view_.Beep();
        if (failed > 0) ShowFailures(failedProject, firstFailure, failed);
        lastRunCounted_ = failed == 0 && counted == rows.size();
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
    // Only a report this run wrote: after a failure or a stop an earlier one would pass for it.
    if (named && lastRunCounted_) view_.OpenReport(report);
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
