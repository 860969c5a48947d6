#include "compile/compile_run.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "app/globals.h"
#include "app/standard_messages.h"
#include "app/text_helpers.h"
#include "catalogue/exclusion.h"
#include "compile/make_run.h"
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
    jobsText_ = std::to_wstring(gMakeJobs);
    view_.SetJobs(jobsText_);
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
    const auto jobs = ToInteger(jobsText_, 1, static_cast<std::int64_t>(kMaxJobs));
    if (!jobs) {
        view_.ShowMessage(
            L"指定エラー",
            JoinLines({L"同時実行数が正しくありません",
                       L"1～" + std::to_wstring(kMaxJobs) + L" の整数を指定して下さい", jobsText_}),
            MessageIcon::Exclamation);
        return;
    }
    gMakeJobs = static_cast<std::int32_t>(*jobs);
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

void CompileRun::Jobs_Change(const std::wstring& text) {
    if (Running()) return;
    jobsText_ = text;
    if (const auto n = ToInteger(text, 1, static_cast<std::int64_t>(kMaxJobs)))
        gMakeJobs = static_cast<std::int32_t>(*n);
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

std::vector<std::size_t> CompileRun::RunRows(const std::vector<std::size_t>& rows) {
    CompileSettings compile{gVbMain, std::chrono::seconds(std::max(gMakeLimit, 0) * 60), gDefines,
                            runner_};
    const std::size_t jobs = static_cast<std::size_t>(std::max(gMakeJobs, 1));
    // The window goes on after a failure: the rows that do not depend on it are compiled.
    MakeSettings settings{compile, gMakeChanged == 1,
                          [this](const std::wstring& entry) {
                              // The logs folder is made when the first compile starts, not for
                              // a run that compiles nothing.
                              if (!runLogs_) runLogs_ = logs_();
                              return runLogs_->PathFor(entry);
                          },
                          jobs, true};
    // Per plan entry: its row, and when its compile started.
    std::vector<std::size_t> rowOf(rows.size());
    for (const std::size_t row : rows) rowOf[planIndex_[row]] = row;
    std::vector<std::optional<std::chrono::steady_clock::time_point>> since(rows.size());
    std::size_t done = 0, running = 0;
    const std::wstring total = std::to_wstring(rows.size());
    const auto status = [&] {
        // One at a time the status reads as it always has: the entry under way, of all.
        view_.SetStatus(jobs == 1 ? L"コンパイル中－" + std::to_wstring(done + 1) + L"/" + total
                                  : L"コンパイル中－" + std::to_wstring(done) + L"/" + total +
                                        L"（実行中 " + std::to_wstring(running) + L"）");
    };
    auto lastShown = std::chrono::steady_clock::now();
    MakeRunHooks hooks;
    hooks.started = [&](std::size_t i, std::size_t) {
        since[i] = std::chrono::steady_clock::now();
        ++running;
        view_.SetRowRunning(rowOf[i], 0);
        status();
    };
    hooks.ended = [&](std::size_t i, const MadeEntry& made) {
        if (since[i]) --running;
        since[i].reset();
        ++done;
        CompileOutcome outcome = made.outcome;
        outcome.reason = made.step.why.Text();
        SetResult(rowOf[i], std::move(outcome));
        status();
        platform::PumpEvents();  // a stop pressed meanwhile is seen before the next start
    };
    hooks.waiting = [&] {
        platform::PumpEvents();
        const auto now = std::chrono::steady_clock::now();
        if (now - lastShown < std::chrono::seconds(1)) return;
        lastShown = now;
        for (std::size_t i = 0; i < since.size(); ++i) {
            if (since[i])
                view_.SetRowRunning(rowOf[i],
                                    std::chrono::duration<double>(now - *since[i]).count());
        }
    };
    hooks.stopAsked = [] { return gStop.State() == RunState::Stopping; };
    status();
    const MakeRunReport report = RunMake(*plan_, settings, hooks);
    std::vector<std::size_t> left;
    for (const std::size_t i : plan_->Order()) {
        if (!report.made[i]) left.push_back(rowOf[i]);
    }
    return left;
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
    if (r == nullptr || r->result != CompileResult::Failed || r->logPath.empty()) return false;
    // A double-click that opens nothing says why.
    if (!platform::LookupFile(r->logPath)) {
        view_.SetStatus(L"ログファイルがありません：" + r->logPath);
        return false;
    }
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
