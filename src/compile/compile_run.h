// The batch compile window's behaviour: the project list it offers, the compile run over the
// selected rows (one VB process at a time, each waited for), the stop between projects and the
// geometry kept when the window closes.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/window_geometry.h"
#include "compile/compile_entry.h"
#include "compile/compile_log_folder.h"
#include "compile/compile_view.h"

namespace kinoha {

// The status line's text until the first run.
inline constexpr wchar_t kCompileHint[] =
    L"複数選択可能：\u3000[Shitt]＝連続選択\u3000[Ctrl]＝個別選択";

// The logs folder of a run; tests put a folder of their own in its place.
using LogFolderMaker = std::function<CompileLogFolder()>;

class CompileRun {
  public:
    explicit CompileRun(CompileView& view, ProcessRunner runner = {}, LogFolderMaker logs = {});

    // The window's load: the geometry to open at (gTop, gLeft, gHeight, gWidth), the busy flag
    // cleared, the list taken afresh from the catalogue (lstPrj minus lstJyogai) and the hint
    // in the status line.
    WindowGeometry Load();
    const std::vector<std::wstring>& Rows() const { return rows_; }

    // "コンパイル開始": checks the VB executable and the selected files, then compiles the
    // selected rows from the top, letting window events through after each.
    void Make();
    // "コンパイル中止": the run ends after the compile in progress.
    void Stop();

    // A row's last result; null when the row was not part of the last run.
    const CompileOutcome* Result(std::size_t row) const;
    // Double-click or Enter on a row: a failed row's log is opened. False when there is none.
    bool OpenRow(std::size_t row);
    // The row's details for its tooltip: "失敗：" and the first error line; empty otherwise.
    std::wstring RowDetails(std::size_t row) const;

    // The window is closing with the geometry it has now: the geometry is recorded whatever
    // happens; true when the close must be refused because a run is under way.
    bool Unload(const WindowGeometry& current);

    // Whether Make is under way (also after a stop was asked for, until the compile in progress
    // ends).
    bool Running() const { return running_; }

  private:
    void EnterRunning();
    void LeaveRunning(const std::wstring& status);

    CompileView& view_;
    ProcessRunner runner_;
    LogFolderMaker logs_;
    std::vector<std::wstring> rows_;
    std::vector<std::optional<CompileOutcome>> results_;
    bool running_ = false;
};

}  // namespace kinoha
