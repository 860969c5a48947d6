#include "step/step_window_logic.h"

#include <thread>

#include "app/globals.h"
#include "app/standard_messages.h"
#include "app/text_helpers.h"
#include "platform/platform.h"
#include "step/project_count.h"
#include "step/project_versions.h"
#include "step/step_diff_report.h"
#include "step/step_projects.h"
#include "step/step_report.h"

namespace kinoha {
namespace {

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

StepWindowLogic::StepWindowLogic(StepView& view) : ListRun(view, L"算出", true), view_(view) {}

StepWindowLogic::~StepWindowLogic() = default;

WindowGeometry StepWindowLogic::Form_Load() {
    // Only 1 counts with the continuation rule; any value but 1 and 2 shows as unticked.
    under_ = gUnder == 1 ? CheckState::Ticked
                         : (gUnder == 2 ? CheckState::Greyed : CheckState::Unticked);
    view_.SetCheck(StepControl::chkUnder, under_);
    // Only 1 turns an option on; a file without its line reads as 0, the classic rules.
    view_.SetCheck(StepControl::chkCtl, gCtl == 1 ? CheckState::Ticked : CheckState::Unticked);
    view_.SetCheck(StepControl::chkVbCmt, gVbCmt == 1 ? CheckState::Ticked : CheckState::Unticked);
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
    view_.SetEnabled(StepControl::chkCtl, !running);
    view_.SetEnabled(StepControl::chkVbCmt, !running);
    // A second run cannot start inside the first.
    view_.SetEnabled(StepControl::cmdCsvWake, !running);
    view_.SetEnabled(StepControl::cmdDiff, !running);
}

CountOptions StepWindowLogic::Counting() const {
    CountOptions counting;
    counting.under = gUnder == 1;
    counting.countControls = gCtl == 1;
    counting.vbComments = gVbCmt == 1;
    return counting;
}

bool StepWindowLogic::CountProject(const std::wstring& projectPath, StepFailure& failure) {
    if (!workers_) workers_ = std::make_unique<StepWorkers>(std::thread::hardware_concurrency());
    // A project file that cannot be read (gone or locked since the check) gets no report, so an
    // earlier, true one stays; as in kinoha-step.
    ProjectCount c =
        kinoha::CountProject(projectPath, {true, workers_.get(), Counting()}, lstStep_);
    failure = std::move(c.failure);
    return c.counted;
}

void StepWindowLogic::RunEntry(const std::wstring& projectPath) {
    // A failed project is told at the end, not passed over: the run goes on with the next one.
    StepFailure failure;
    const bool done =
        diffing_ ? DiffProject(projectPath, failure) : CountProject(projectPath, failure);
    if (done) {
        ++counted_;
    } else if (failed_++ == 0) {
        failedProject_ = projectPath;
        firstFailure_ = failure;
    }
}

void StepWindowLogic::ShowFailures(std::size_t selected) {
    view_.SetStatus(L"算出失敗：" + std::to_wstring(failed_) + L"/" + std::to_wstring(selected) +
                    L" 件算出できませんでした");
    std::wstring text =
        JoinLines({L"ステップを算出できませんでした", L"ＰＲＪ名：" + failedProject_,
                   L"ファイル：" + firstFailure_.file,
                   std::wstring(L"理由：") + FailureText(firstFailure_.kind)});
    if (failed_ > 1)
        text += L"\r\nほかに " + std::to_wstring(failed_ - 1) + L" 件算出できませんでした";
    view_.ShowMessage(L"算出エラー", text, MessageIcon::Exclamation);
}

bool StepWindowLogic::DiffProject(const std::wstring& projectPath, StepFailure& failure) {
    const auto it = older_.find(projectPath);
    const std::wstring older = it != older_.end() ? it->second : std::wstring();
    if (older.empty()) withoutOlder_.push_back(projectPath);
    if (!workers_) workers_ = std::make_unique<StepWorkers>(std::thread::hardware_concurrency());
    StepDiffOptions options;
    options.workers = workers_.get();
    options.failure = &failure;
    options.counting = Counting();
    // A project that cannot be compared keeps an earlier report, as the count does.
    return DiffProjectSteps(older, projectPath, lstStep_, options);
}

void StepWindowLogic::ForgetFailures() {
    counted_ = 0;
    failed_ = 0;
    failedProject_.clear();
    firstFailure_ = {};
}

void StepWindowLogic::cmdMake_Click() {
    if (!MayStart()) return;
    ForgetFailures();
    RunSelected();
    workers_.reset();
    // The list is enabled again only now, so the selection is still the run's.
    if (failed_ > 0) ShowFailures(view_.SelectedRows().size());
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
    // Only a report this run wrote: after a failure or a stop an earlier one would pass for it.
    if (named && counted_ == 1 && failed_ == 0) view_.OpenReport(report);
}

void StepWindowLogic::chkUnder_Click() {
    if (Running()) return;
    // A greyed box becomes ticked, as an unticked one does.
    under_ = under_ == CheckState::Ticked ? CheckState::Unticked : CheckState::Ticked;
    view_.SetCheck(StepControl::chkUnder, under_);
    gUnder = under_ == CheckState::Ticked ? 1 : 0;
}

void StepWindowLogic::chkCtl_Click() {
    if (Running()) return;
    gCtl = gCtl == 1 ? 0 : 1;
    view_.SetCheck(StepControl::chkCtl, gCtl == 1 ? CheckState::Ticked : CheckState::Unticked);
}

void StepWindowLogic::chkVbCmt_Click() {
    if (Running()) return;
    gVbCmt = gVbCmt == 1 ? 0 : 1;
    view_.SetCheck(StepControl::chkVbCmt, gVbCmt == 1 ? CheckState::Ticked : CheckState::Unticked);
}

void StepWindowLogic::cmdDiff_Click() {
    if (!MayStart()) return;
    if (view_.SelectedRows().empty()) {
        view_.ShowMessage(L"指定エラー", L"プロジェクトを選択して下さい", MessageIcon::Information);
        return;
    }
    const std::vector<std::size_t> rows = ValidSelection();  // a missing file has been said
    if (rows.empty()) return;
    const std::wstring chosen = view_.ChooseOlderVersion(gPrjDir);
    if (chosen.empty()) return;
    const std::wstring upper = UpperAscii(NameOf(chosen));
    if (platform::LookupFile(chosen) && !upper.ends_with(L".VBP") && !upper.ends_with(L".VBG")) {
        view_.ShowMessage(L"指定エラー",
                          L"旧バージョンのフォルダかプロジェクトファイルを指定して下さい",
                          MessageIcon::Exclamation);
        return;
    }
    std::vector<std::wstring> projects;
    for (const std::size_t row : rows) projects.push_back(Rows()[row]);
    std::vector<VersionPair> pairs;
    PairWithChosenOlder(chosen, projects, gPrjDir, pairs);
    older_.clear();
    for (const auto& pair : pairs) older_[pair.newer] = pair.older;
    withoutOlder_.clear();

    ForgetFailures();
    diffing_ = true;
    SetVerb(L"差分算出");
    RunSelected();
    SetVerb(L"算出");
    diffing_ = false;
    workers_.reset();
    if (failed_ > 0) ShowFailures(view_.SelectedRows().size());
    if (!withoutOlder_.empty()) {
        std::wstring text =
            L"旧バージョンに無いプロジェクトです。\r\n"
            L"全て新規として算出しました。";
        for (const auto& project : withoutOlder_) text += L"\r\n" + NameOf(project);
        view_.ShowMessage(L"差分算出", text, MessageIcon::Information);
    }
}

void StepWindowLogic::cmdEnd_Click() {
    view_.CloseWindow();
}

}  // namespace kinoha
