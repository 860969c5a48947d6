// The batch compile window's behaviour: the project list it offers, the compile run over the
// selected rows (one VB process at a time, each waited for), the stop between projects and the
// geometry kept when the window closes. The run itself is the shared list run (list_run.h).
#pragma once

#include <functional>
#include <string>

#include "app/list_run.h"
#include "app/window_geometry.h"
#include "compile/compile_view.h"

namespace kinoha {

// The command line that compiles one project or group file: the VB executable unquoted, then
// " /make " and the quoted path, then " /outdir " and the quoted folder when there is one.
std::wstring CompileCommandLine(const std::wstring& vbMain, const std::wstring& path,
                                const std::wstring& outDir);

// Runs a command line to its end (RunAndWait); tests put a recorder in its place.
using CommandRunner = std::function<bool(const std::wstring& commandLine)>;

class CompileRun final : public ListRun {
  public:
    explicit CompileRun(CompileView& view, CommandRunner runner = {});

    // The window's load: the geometry to open at (gTop, gLeft, gHeight, gWidth), the busy flag
    // cleared, the list taken afresh from the catalogue (lstPrj minus lstJyogai) and the hint
    // in the status line.
    WindowGeometry Load();

    // "コンパイル開始": checks the VB executable, then runs over the selected rows: each file
    // is prepared for the VB executable (PrepareProjectForVb) and compiled.
    void Make();
    // "コンパイル中止": the run ends after the compile in progress.
    void Stop() { StopRun(); }
    // The window is closing: see ListRun::MayClose.
    bool Unload(const WindowGeometry& current) { return MayClose(current); }

  private:
    void ShowRunning(bool running) override;
    void RunEntry(const std::wstring& entry) override;

    CompileView& view_;
    CommandRunner runner_;
};

}  // namespace kinoha
