#include "compile/compile_run.h"

#include <ctime>
#include <utility>

#include "app/globals.h"
#include "app/standard_messages.h"
#include "catalogue/exclusion.h"
#include "catalogue/project_file.h"
#include "platform/platform.h"

namespace kinoha {

namespace {
CompileLogFolder ProgramLogFolder() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (const std::tm* t = std::localtime(&now)) local = *t;
    return CompileLogFolder::ForRun(local);
}
}  // namespace

CompileRun::CompileRun(CompileView& view, ProcessRunner runner, LogFolderMaker logs)
    : view_(view),
      runner_(runner ? std::move(runner) : ProcessRunner(RunProcess)),
      logs_(logs ? std::move(logs) : LogFolderMaker(ProgramLogFolder)) {}

WindowGeometry CompileRun::Load() {
    gStop = true;
    // Group files stay whole: VB compiles a group as one.
    rows_ = WithoutExcluded(lstPrj.Items(), lstJyogai);
    results_.assign(rows_.size(), std::nullopt);
    view_.SetStatus(kCompileHint);
    return {gTop, gLeft, gHeight, gWidth};
}

void CompileRun::Make() {
    // gStop False without a run of ours: the step count works, and sharing the flag with it
    // would end its run when this one ends.
    if (running_ || !gStop) return;
    if (!platform::LookupFile(gVbMain)) {
        ShowStartFailed(view_, gVbMain);
        return;
    }
    EnterRunning();

    // The list is disabled from here on, so the selection read now holds for the whole run.
    const std::vector<bool> selection = view_.Selection();
    std::vector<std::size_t> chosen;
    for (std::size_t i = 0; i < rows_.size() && i < selection.size(); ++i) {
        if (!selection[i]) continue;
        if (!platform::LookupFile(rows_[i])) {
            ShowFileMissing(view_);
            chosen.clear();
            break;
        }
        chosen.push_back(i);
    }
    if (chosen.empty()) {
        LeaveRunning(L"コンパイル中止：ファイルを選択して下さい");
        return;
    }

    // Rows of an earlier run lose their marks; only this run's rows show results.
    for (std::size_t i = 0; i < results_.size(); ++i) {
        if (results_[i]) view_.SetRowResult(i, nullptr);
        results_[i].reset();
    }
    CompileLogFolder logs = logs_();
    const std::wstring n = std::to_wstring(chosen.size());
    CompileCounts counts;
    bool stopped = false;
    for (std::size_t k = 0; k < chosen.size(); ++k) {
        const std::size_t row = chosen[k];
        CompileOutcome outcome;
        if (stopped) {
            outcome.result = CompileResult::Stopped;
        } else {
            view_.SetStatus(L"コンパイル中－" + std::to_wstring(k + 1) + L"/" + n);
            // A failure does not stop the run: every selected project gets its result.
            outcome = CompileEntry(gVbMain, rows_[row], logs.PathFor(rows_[row]), runner_);
        }
        counts.Add(outcome.result);
        results_[row] = std::move(outcome);
        view_.SetRowResult(row, &*results_[row]);
        if (!stopped) {
            platform::PumpEvents();
            stopped = gStop;
        }
    }
    LeaveRunning(CompileEndStatus(stopped, counts));
    if (counts.failed > 0) {
        view_.WarningSound();
    } else {
        view_.Beep();
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
    if (r == nullptr || r->result != CompileResult::Failed) return {};
    return std::wstring(ResultLabel(r->result)) + L"：" + r->firstError;
}

void CompileRun::EnterRunning() {
    running_ = true;
    gStop = false;
    view_.SetRunning(true);
    view_.SetStatus(L"コンパイル開始");
}

void CompileRun::LeaveRunning(const std::wstring& status) {
    view_.SetRunning(false);
    view_.SetStatus(status);
    gStop = true;
    running_ = false;
}

void CompileRun::Stop() {
    if (running_) gStop = true;
}

bool CompileRun::Unload(const WindowGeometry& current) {
    // Also refused after a stop was asked for: the compile in progress still runs inside Make.
    const bool refuse = !gStop || running_;
    gTop = current.top;
    gLeft = current.left;
    gHeight = current.height;
    gWidth = current.width;
    return refuse;
}

}  // namespace kinoha
