// The batch compile window's behaviour: the project list it offers, the compile run over the
// selected rows (as many VB processes at once as the setting says, along the references; each
// row's result decided from every signal and shown), the stop that starts nothing new and the
// geometry kept when the window closes. The run itself is the shared list run (list_run.h).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/list_run.h"
#include "app/window_geometry.h"
#include "compile/compile_entry.h"
#include "compile/compile_log_folder.h"
#include "compile/compile_view.h"
#include "compile/make_plan.h"

namespace kinoha {

// The logs folder of a run; tests put a folder of their own in its place.
using LogFolderMaker = std::function<CompileLogFolder()>;

class CompileRun final : public ListRun {
  public:
    // `memory`: the file of what the make remembers between runs (MakeMemory::DefaultFile()
    // when not given; tests give one of their own).
    explicit CompileRun(CompileView& view, ProcessRunner runner = {}, LogFolderMaker logs = {},
                        std::optional<std::wstring> memory = std::nullopt);

    // The window's load: the geometry to open at (gTop, gLeft, gHeight, gWidth), the busy flag
    // cleared, the list taken afresh from the catalogue (lstPrj minus lstJyogai), the hint in
    // the status line and the check box "更新分のみコンパイル" as the settings have it.
    WindowGeometry Load();

    // "コンパイル開始": checks the VB executable, then runs over the selected rows, ordered so
    // that a project comes after the projects whose outputs it references (MakePlan; a cycle
    // is reported and nothing starts). Each row is compiled (CompileEntry, logs in a folder of
    // this run) and gets its result; with "更新分のみコンパイル" an up-to-date row gets 最新
    // instead, and a row that references a failed one gets 未実行. A failure does not stop the
    // run. The status line ends with the counts, and the warning sound replaces the beep when
    // something failed or was not run.
    void Make();
    // The check box "更新分のみコンパイル" was clicked: the setting (gMakeChanged) flips;
    // nothing changes during a run.
    void ChangedOnly_Click();
    // The field "条件付きコンパイル引数" changed: the setting (gDefines) takes its text; it is
    // checked when a run starts.
    void Defines_Change(const std::wstring& text);
    // The field "同時実行数" changed: the setting (gMakeJobs) takes it when it is a number; it
    // is checked when a run starts.
    void Jobs_Change(const std::wstring& text);
    // "コンパイル中止": nothing new starts; the compiles in progress are waited for (each is
    // bounded by the time limit); the rows left get 中止.
    void Stop() { StopRun(); }
    // The window is closing: see ListRun::MayClose.
    bool Unload(const WindowGeometry& current) { return MayClose(current); }

    // A row's last result; null when the row was not part of the last run.
    const CompileOutcome* Result(std::size_t row) const;
    // Double-click or Enter on a row: a failed row's log is opened. False when there is none.
    bool OpenRow(std::size_t row);
    // The row's details for its tooltip: the result and why ("失敗：" and the first error line,
    // "成功：出力なし", "最新", "未実行：参照先が失敗：Lib.vbp"), then what the planning noticed
    // about it, a line each; empty when the row was not part of the last run.
    std::wstring RowDetails(std::size_t row) const;

  private:
    void ShowRunning(bool running) override;
    void RunEntry(const std::wstring& entry) override;
    bool OrderRows(std::vector<std::size_t>& rows, std::wstring& refusal) override;
    std::vector<std::size_t> RunRows(const std::vector<std::size_t>& rows) override;
    std::wstring EndStatus(bool stopped, const std::vector<std::size_t>& notRun) override;
    void EndSound() override;
    void SetResult(std::size_t row, CompileOutcome outcome);

    CompileView& view_;
    ProcessRunner runner_;
    LogFolderMaker logs_;
    std::wstring memory_;
    std::optional<CompileLogFolder> runLogs_;  // the folder of the run under way
    std::optional<MakePlan> plan_;             // the run's order and states
    std::vector<std::size_t> planIndex_;       // per row: its entry in plan_
    std::vector<std::optional<CompileOutcome>> results_;
    std::vector<std::vector<std::wstring>> notes_;  // per row: the last run's planning notes
    std::wstring jobsText_;                         // the field "同時実行数" as typed
    CompileCounts counts_;
};

}  // namespace kinoha
