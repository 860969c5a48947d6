// Times the overhead the batch compile adds per project around the VB process: the command line,
// the output files' and the log's stamps, the log read, the result decision and the view update.
// Usage: kinoha_compile_bench PROGRAM [runs]
// PROGRAM is a "VB" that exits at once (natively /bin/true; under Wine vb-standin.exe with
// KINOHA_STANDIN_MODE=exit). For 100 generated projects it times, median of the runs:
//   process   PROGRAM started and waited for 100 times, nothing else
//   compile   the window's run (CompileRun::Make) over the 100 rows with PROGRAM as VB
//   logic     the same run with a VB that is no process: it writes the log and the output
//             at once, so the whole decision is made (success); the time of those writes is
//             not counted
// and prints the overhead per project: (compile - process) / 100, and logic / 100.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/globals.h"
#include "app/quoted_program.h"
#include "app/text_helpers.h"
#include "catalogue/project_file.h"
#include "compile/compile_run.h"
#include "platform/platform.h"

namespace {
using namespace kinoha;

constexpr int kProjects = 100;

class QuietView final : public CompileView {
  public:
    std::size_t rows = 0;
    void ShowMessage(const std::wstring&, const std::wstring&, MessageIcon) override {}
    void SetStatus(const std::wstring&) override {}
    void SetRunning(bool) override {}
    std::vector<std::size_t> SelectedRows() override {
        std::vector<std::size_t> all;
        for (std::size_t i = 0; i < rows; ++i) all.push_back(i);
        return all;
    }
    void Beep() override {}
    void WarningSound() override {}
    void SetRowResult(std::size_t, const CompileOutcome*) override {}
    void OpenLog(const std::wstring&) override {}
    void SetChangedOnly(bool) override {}
    void SetDefines(const std::wstring&) override {}
    void SetJobs(const std::wstring&) override {}
    void SetRowRunning(std::size_t, double) override {}
};

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

template <class F>
double Seconds(F&& f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::wstring> args = platform::CommandLineArguments(argc, argv);
    if (args.empty()) {
        std::fprintf(stderr, "usage: kinoha_compile_bench PROGRAM [runs]\n");
        return 2;
    }
    const std::wstring program = platform::AbsolutePath(args[0]);
    const int runs = args.size() > 1 ? std::max(1, std::stoi(args[1])) : 5;
    const std::wstring root = platform::TemporaryDirectory() + L"\\kinoha-compile-bench";
    std::vector<std::wstring> projects;
    for (int i = 0; i < kProjects; ++i) {
        const std::wstring n = std::to_wstring(i);
        const std::wstring path = root + L"\\p" + n + L"\\Project" + n + L".vbp";
        platform::EnsureDirectory(FolderOf(path));
        platform::ReplaceFileAtomically(
            path, "Type=Exe\r\nForm=frmMain.frm\r\nModule=M1; mod1.bas\r\nExeName32=\"Prj" +
                      platform::EncodeAnsi(n) + ".exe\"\r\nPath32=\"..\\bin\"\r\nName=\"P\"\r\n");
        projects.push_back(path);
    }
    gVbMain = program;
    for (const auto& p : projects) lstPrj.Add(p);

    const auto logsFolder = [&] { return CompileLogFolder::Given(root + L"\\logs"); };
    std::vector<double> process, compile, logic;
    for (int r = 0; r < runs; ++r) {
        process.push_back(Seconds([&] {
            for (int i = 0; i < kProjects; ++i) RunProcess(QuotedProgram(program), {});
        }));
        QuietView view;
        CompileRun run(view, RunProcess, logsFolder, root + L"\\make-memory.txt");
        run.Load();
        view.rows = run.Rows().size();
        compile.push_back(Seconds([&] { run.Make(); }));

        // A VB that is no process: the log and the output written, the exit code 0.
        QuietView view2;
        double inFake = 0;
        CompileRun noProcess(
            view2,
            [&](const std::wstring& line, const platform::SupervisedRun&) {
                const auto start = std::chrono::steady_clock::now();
                const platform::CommandLineParts parts = platform::SplitCommandLine(line);
                std::wstring file, log;
                for (std::size_t i = 0; i + 1 < parts.arguments.size(); ++i) {
                    if (parts.arguments[i] == L"/make") file = parts.arguments[i + 1];
                    if (parts.arguments[i] == L"/out") log = parts.arguments[i + 1];
                }
                platform::ReplaceFileAtomically(log, "Build of 'x.exe' succeeded.\r\n");
                platform::ReplaceFileAtomically(GetProjectExe(file), "MZ");
                inFake +=
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
                ProcessOutcome end;
                end.how = ProcessOutcome::How::Exited;
                return end;
            },
            logsFolder, root + L"\\make-memory.txt");
        noProcess.Load();
        view2.rows = noProcess.Rows().size();
        logic.push_back(Seconds([&] { noProcess.Make(); }) - inFake);
    }
    const double p = Median(process), c = Median(compile), l = Median(logic);
    std::printf("%d projects, median of %d runs\n", kProjects, runs);
    std::printf("process alone      %8.1f ms  (%.2f ms a project)\n", p * 1000,
                p * 1000 / kProjects);
    std::printf("compile run        %8.1f ms  (%.2f ms a project)\n", c * 1000,
                c * 1000 / kProjects);
    std::printf("overhead           %8.2f ms a project (compile run - process alone)\n",
                (c - p) * 1000 / kProjects);
    std::printf("logic, no process  %8.2f ms a project (the fake VB's own writes not counted)\n",
                l * 1000 / kProjects);
    return 0;
}
