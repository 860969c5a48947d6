#include "compile/compile_run.h"

#include <utility>

#include "app/globals.h"
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

std::vector<std::wstring> CompileProjectRows(const std::vector<std::wstring>& projects,
                                             const std::vector<std::wstring>& exclusions) {
    std::vector<std::wstring> rows;
    for (const auto& path : projects) {
        bool excluded = false;
        for (const auto& e : exclusions) {
            if (path.find(e) != std::wstring::npos) excluded = true;
        }
        if (!excluded) rows.push_back(path);
    }
    return rows;
}

CompileRun::CompileRun(CompileView& view, CommandRunner runner)
    : view_(view), runner_(runner ? std::move(runner) : CommandRunner(RunAndWait)) {}

WindowGeometry CompileRun::Load() {
    gStop = true;
    rows_ = CompileProjectRows(lstPrj.Items(), lstJyogai);
    view_.SetStatus(kCompileHint);
    return {gTop, gLeft, gHeight, gWidth};
}

void CompileRun::Make() {
    // gStop False without a run of ours: the step count works, and sharing the flag with it
    // would end its run when this one ends.
    if (running_ || !gStop) return;
    if (!platform::LookupFile(gVbMain)) {
        view_.ShowMessage(
            L"起動失敗",
            JoinLines({L"起動に失敗しました", L"パスを確認して下さい", L"ＶＢ本体：" + gVbMain}),
            MessageIcon::None);
        return;
    }
    EnterRunning();

    // The list is disabled from here on, so the selection read now holds for the whole run.
    const std::vector<bool> selection = view_.Selection();
    std::vector<std::wstring> chosen;
    for (std::size_t i = 0; i < rows_.size() && i < selection.size(); ++i) {
        if (!selection[i]) continue;
        if (!platform::LookupFile(rows_[i])) {
            view_.ShowMessage(L"ファイル無し",
                              JoinLines({L"指定したファイルが存在しません",
                                         L"ファイル名やディレクトリを修正した場合は、",
                                         L"Kinoha を再起動して下さい"}),
                              MessageIcon::Exclamation);
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
        // Neither the compiler's exit code nor a failed start stops the run.
        runner_(CompileCommandLine(gVbMain, chosen[k], outDir));
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
