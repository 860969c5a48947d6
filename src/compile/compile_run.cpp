#include "compile/compile_run.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "app/globals.h"
#include "app/standard_messages.h"
#include "catalogue/exclusion.h"
#include "compile/make_entry.h"
#include "platform/platform.h"

namespace kinoha {

CompileRun::CompileRun(CompileView& view, ProcessRunner runner, LogFolderMaker logs,
                       std::optional<std::wstring> memory)
    : ListRun(view, L"コンパイル", false),
      view_(view),
      runner_(runner ? std::move(runner) : ProcessRunner(RunProcess)),
      logs_(logs ? std::move(logs) : LogFolderMaker(&CompileLogFolder::ForRunNow)),
      memory_(memory ? std::move(*memory) : MakeMemory::DefaultFile()) {}

WindowGeometry CompileRun::Load() {
    // Group files stay whole: VB compiles a group as one.
    const WindowGeometry g = LoadRows(WithoutExcluded(lstPrj.Items(), lstJyogai));
    results_.assign(Rows().size(), std::nullopt);
    notes_.assign(Rows().size(), {});
    view_.SetChangedOnly(gMakeChanged == 1);
    view_.SetDefines(gDefines);
    return g;
}

void CompileRun::Make() {
    if (!MayStart()) return;
    if (!platform::LookupFile(gVbMain)) {
        ShowStartFailed(view_, gVbMain);
        return;
    }
    // Only checked constants reach VB's command line.
    if (!DefineList(gDefines)) {
        view_.ShowMessage(L"指定エラー",
                          JoinLines({L"条件付きコンパイル引数が正しくありません",
                                     L"「名前=整数」を「:」で区切って指定して下さい", gDefines}),
                          MessageIcon::Exclamation);
        return;
    }
    // Rows of an earlier run lose their marks; only this run's rows show results.
    for (std::size_t i = 0; i < results_.size(); ++i) {
        if (results_[i]) view_.SetRowResult(i, nullptr);
        results_[i].reset();
    }
    for (auto& notes : notes_) notes.clear();
    counts_ = {};
    runLogs_.reset();
    RunSelected();
    runLogs_.reset();
    plan_.reset();
}

void CompileRun::Defines_Change(const std::wstring& text) {
    if (!Running()) gDefines = text;
}

void CompileRun::ChangedOnly_Click() {
    if (Running()) return;
    gMakeChanged = gMakeChanged == 1 ? 0 : 1;
    view_.SetChangedOnly(gMakeChanged == 1);
}

bool CompileRun::OrderRows(std::vector<std::size_t>& rows, std::wstring& refusal) {
    std::vector<std::wstring> entries;
    for (const std::size_t row : rows) entries.push_back(Rows()[row]);
    // Every row of the list counts for the references, selected or not.
    plan_.emplace(std::move(entries), Rows(), memory_);
    if (!plan_->Cycle().empty()) {
        view_.ShowMessage(L"参照の循環",
                          JoinLines({L"プロジェクトが互いに参照し合っているため、コンパイルを"
                                     L"開始しません",
                                     plan_->Cycle()}),
                          MessageIcon::Exclamation);
        refusal = L"コンパイル中止：参照が循環しています";
        plan_.reset();
        return false;
    }
    std::vector<std::size_t> ordered;
    planIndex_.assign(Rows().size(), 0);
    for (const std::size_t i : plan_->Order()) {
        ordered.push_back(rows[i]);
        planIndex_[rows[i]] = i;
        notes_[rows[i]] = plan_->Notes(i);
    }
    rows = std::move(ordered);
    return true;
}

void CompileRun::ShowRunning(bool running) {
    view_.SetRunning(running);
}

void CompileRun::RunEntry(const std::wstring&) {
    // Every compile goes through RunRow, which keeps the row's result.
}

void CompileRun::RunRow(std::size_t row) {
    CompileSettings compile{gVbMain, std::chrono::seconds(std::max(gMakeLimit, 0) * 60), gDefines,
                            runner_};
    MakeSettings settings{compile, gMakeChanged == 1, [this](const std::wstring& entry) {
                              // The logs folder is made when the first compile starts, not for
                              // a run that compiles nothing.
                              if (!runLogs_) runLogs_ = logs_();
                              return runLogs_->PathFor(entry);
                          }};
    MadeEntry made = MakeEntry(*plan_, planIndex_[row], settings);
    made.outcome.reason = made.step.why.Text();
    SetResult(row, std::move(made.outcome));
}

void CompileRun::SetResult(std::size_t row, CompileOutcome outcome) {
    if (row >= results_.size()) return;
    counts_.Add(outcome.result);
    results_[row] = std::move(outcome);
    view_.SetRowResult(row, &*results_[row]);
}

std::wstring CompileRun::EndStatus(bool stopped, const std::vector<std::size_t>& notRun) {
    for (const std::size_t row : notRun) {
        CompileOutcome skipped;
        skipped.result = CompileResult::Stopped;
        SetResult(row, std::move(skipped));
    }
    // Nothing compiled (nothing selected, a file missing): the plain status, no counts.
    if (counts_.Total() == 0) return ListRun::EndStatus(stopped, notRun);
    return CompileEndStatus(stopped, counts_);
}

void CompileRun::EndSound() {
    if (counts_.failed + counts_.notRun > 0) {
        view_.WarningSound();
    } else {
        ListRun::EndSound();
    }
}

const CompileOutcome* CompileRun::Result(std::size_t row) const {
    return row < results_.size() && results_[row] ? &*results_[row] : nullptr;
}

bool CompileRun::OpenRow(std::size_t row) {
    const CompileOutcome* r = Result(row);
    if (r == nullptr || r->result != CompileResult::Failed || r->logPath.empty() ||
        !platform::LookupFile(r->logPath))
        return false;
    view_.OpenLog(r->logPath);
    return true;
}

std::wstring CompileRun::RowDetails(std::size_t row) const {
    const CompileOutcome* r = Result(row);
    if (r == nullptr) return {};
    std::wstring details = ResultLabel(r->result);
    if (r->result == CompileResult::Failed) {
        details += L"：" + r->firstError;
    } else if (r->result != CompileResult::UpToDate && !r->reason.empty()) {
        details += L"：" + r->reason;
    }
    for (const auto& note : notes_[row]) details += L"\r\n" + note;
    return details;
}

}  // namespace kinoha
