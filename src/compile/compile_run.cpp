#include "compile/compile_run.h"

#include <utility>

#include "app/globals.h"
#include "app/standard_messages.h"
#include "catalogue/exclusion.h"
#include "catalogue/project_file.h"
#include "platform/platform.h"
#include "tray/launch.h"

namespace kinoha {

std::wstring CompileCommandLine(const std::wstring& vbMain, const std::wstring& path,
                                const std::wstring& outDir) {
    // The program path stays unquoted: the system finds a program path with blanks by itself.
    std::wstring line = vbMain + L" /make \"" + path + L"\"";
    if (!outDir.empty()) line += L" /outdir \"" + outDir + L"\"";
    return line;
}

CompileRun::CompileRun(CompileView& view, CommandRunner runner)
    : view_(view), runner_(runner ? std::move(runner) : CommandRunner(RunAndWait)) {}

WindowGeometry CompileRun::Load() {
    gStop = true;
    // Group files stay whole: VB compiles a group as one.
    rows_ = WithoutExcluded(lstPrj.Items(), lstJyogai);
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
    std::vector<std::wstring> chosen;
    for (std::size_t i = 0; i < rows_.size() && i < selection.size(); ++i) {
        if (!selection[i]) continue;
        if (!platform::LookupFile(rows_[i])) {
            ShowFileMissing(view_);
            chosen.clear();
            break;
        }
        chosen.push_back(rows_[i]);
    }
    if (chosen.empty()) {
        LeaveRunning(L"コンパイル中止：ファイルを選択して下さい");
        return;
    }

    const std::wstring n = std::to_wstring(chosen.size());
    for (std::size_t k = 0; k < chosen.size(); ++k) {
        view_.SetStatus(L"コンパイル中－" + std::to_wstring(k + 1) + L"/" + n);
        const std::wstring outDir = GetOutputDir(chosen[k]);
        // A file that VB5 needed rewritten and did not get is compiled without /outdir.
        const bool prepared = PrepareProjectForVb(chosen[k], gVbMain);
        // Neither the compiler's exit code nor a failed start stops the run.
        runner_(CompileCommandLine(gVbMain, chosen[k], prepared ? outDir : std::wstring()));
        platform::PumpEvents();
        if (gStop) break;
    }
    const bool stopped = gStop;
    LeaveRunning(stopped ? L"コンパイル中止" : L"コンパイル終了");
    view_.Beep();
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
