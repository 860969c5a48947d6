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
    : ListRun(view, L"コンパイル", false),
      view_(view),
      runner_(runner ? std::move(runner) : CommandRunner(RunAndWait)) {}

WindowGeometry CompileRun::Load() {
    // Group files stay whole: VB compiles a group as one.
    return LoadRows(WithoutExcluded(lstPrj.Items(), lstJyogai));
}

void CompileRun::Make() {
    if (!MayStart()) return;
    if (!platform::LookupFile(gVbMain)) {
        ShowStartFailed(view_, gVbMain);
        return;
    }
    RunSelected();
}

void CompileRun::ShowRunning(bool running) {
    view_.SetRunning(running);
}

void CompileRun::RunEntry(const std::wstring& entry) {
    const std::wstring outDir = GetOutputDir(entry);
    // A file that VB5 needed rewritten and did not get is compiled without /outdir.
    const bool prepared = PrepareProjectForVb(entry, gVbMain);
    // Neither the compiler's exit code nor a failed start stops the run.
    runner_(CompileCommandLine(gVbMain, entry, prepared ? outDir : std::wstring()));
}

}  // namespace kinoha
