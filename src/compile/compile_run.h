// The batch compile window's behaviour: the project list it offers, the compile run over the
// selected rows (one VB process at a time, each waited for), the stop between projects and the
// geometry kept when the window closes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/window_geometry.h"
#include "compile/compile_view.h"

namespace kinoha {

// The status line's text until the first run.
inline constexpr wchar_t kCompileHint[] =
    L"複数選択可能：\u3000[Shift]＝連続選択\u3000[Ctrl]＝個別選択";

// The command line that compiles one project or group file: the VB executable unquoted, then
// " /make " and the quoted path, then " /outdir " and the quoted folder when there is one.
std::wstring CompileCommandLine(const std::wstring& vbMain, const std::wstring& path,
                                const std::wstring& outDir);

// The rows of the list: `projects` in order, without those that hold any of `exclusions`
// (exact, case-sensitive; an empty string is in every path). Group files stay whole.
std::vector<std::wstring> CompileProjectRows(const std::vector<std::wstring>& projects,
                                             const std::vector<std::wstring>& exclusions);

// Runs a command line to its end (RunAndWait); tests put a recorder in its place.
using CommandRunner = std::function<bool(const std::wstring& commandLine)>;

class CompileRun {
  public:
    explicit CompileRun(CompileView& view, CommandRunner runner = {});

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
    CommandRunner runner_;
    std::vector<std::wstring> rows_;
    bool running_ = false;
};

}  // namespace kinoha
