#include "app/list_run.h"

#include <utility>

#include "app/globals.h"
#include "app/standard_messages.h"
#include "platform/platform.h"

namespace kinoha {

ListRun::ListRun(ListRunView& view, std::wstring verb, bool eventsBeforeEachJob)
    : view_(view), verb_(std::move(verb)), eventsBeforeEachJob_(eventsBeforeEachJob) {}

WindowGeometry ListRun::LoadRows(std::vector<std::wstring> rows) {
    gStop.Set(RunState::Idle);
    rows_ = std::move(rows);
    view_.SetStatus(kListRunHint);
    return {gTop, gLeft, gHeight, gWidth};
}

bool ListRun::MayStart() const {
    // gStop False without a run of ours: another window's run works, and sharing the flag with
    // it would end its run when this one ends. running_ guards against a click left in the
    // queue.
    return !running_ && gStop;
}

std::vector<std::size_t> ListRun::ValidSelection() {
    std::vector<std::size_t> rows;
    for (const std::size_t row : view_.SelectedRows()) {
        if (row >= rows_.size()) continue;
        // The path itself is looked up: a project folder named like "x.EXE y" is no command line.
        if (!platform::LookupFile(rows_[row])) {
            ShowFileMissing(view_);
            return {};
        }
        rows.push_back(row);
    }
    return rows;
}

void ListRun::RunSelected() {
    running_ = true;
    gStop.Set(RunState::Running);
    ShowRunning(true);
    view_.SetStatus(verb_ + L"開始");

    // The list is disabled from here on, so the selection read now holds for the whole run.
    std::vector<std::size_t> rows = ValidSelection();
    if (rows.empty()) {
        Finish(verb_ + L"中止：ファイルを選択して下さい");
        return;
    }
    std::wstring refusal;
    if (!OrderRows(rows, refusal)) {
        Finish(refusal);
        return;
    }
    const std::vector<std::size_t> notRun = RunRows(rows);
    const bool stopped = gStop.State() == RunState::Stopping;
    Finish(EndStatus(stopped, notRun));
    EndSound();
}

std::vector<std::size_t> ListRun::RunRows(const std::vector<std::size_t>& rows) {
    const std::wstring total = std::to_wstring(rows.size());
    std::size_t done = 0;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        view_.SetStatus(verb_ + L"中－" + std::to_wstring(k + 1) + L"/" + total);
        if (eventsBeforeEachJob_) {
            platform::PumpEvents();
            if (gStop.State() == RunState::Stopping) break;
        }
        RunRow(rows[k]);
        done = k + 1;
        platform::PumpEvents();
        if (gStop.State() == RunState::Stopping) break;
    }
    return {rows.begin() + static_cast<std::ptrdiff_t>(done), rows.end()};
}

bool ListRun::OrderRows(std::vector<std::size_t>&, std::wstring&) {
    return true;
}

std::wstring ListRun::EndStatus(bool stopped, const std::vector<std::size_t>&) {
    return verb_ + (stopped ? L"中止" : L"終了");
}

void ListRun::EndSound() {
    view_.Beep();
}

void ListRun::Finish(const std::wstring& status) {
    ShowRunning(false);
    view_.SetStatus(status);
    gStop.Set(RunState::Idle);
    running_ = false;
}

void ListRun::StopRun() {
    if (running_) gStop.Set(RunState::Stopping);
}

bool ListRun::MayClose(const WindowGeometry& current) {
    gTop = current.top;
    gLeft = current.left;
    gHeight = current.height;
    gWidth = current.width;
    return gStop && !running_;
}

}  // namespace kinoha
