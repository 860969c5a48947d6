// Times a "算出のみ" run of the step count window over every project of a corpus against
// kinoha-step writing the same reports: the window should cost what the engine costs.
// Usage: kinoha_step_window_bench CORPUS [runs]
// CORPUS is a directory of projects, such as the one bench/step_bench.sh generates
// (build/bench-corpus). Default 7 timed runs of each after one warm-up run; prints the medians.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/globals.h"
#include "catalogue/project_search.h"
#include "cli/step_tool.h"
#include "platform/platform.h"
#include "step/step_window_logic.h"

namespace {
using namespace kinoha;

// A window whose user selected every row and sees nothing.
class AllSelected final : public StepView {
  public:
    void ShowMessage(const std::wstring&, const std::wstring&, MessageIcon) override {}
    void SetProjects(const std::vector<std::wstring>& rows) override { count_ = rows.size(); }
    std::vector<std::size_t> SelectedRows() override {
        std::vector<std::size_t> all(count_);
        for (std::size_t i = 0; i < count_; ++i) all[i] = i;
        return all;
    }
    void SetStatus(const std::wstring&) override {}
    void SetVisible(StepControl, bool) override {}
    void SetEnabled(StepControl, bool) override {}
    void SetCheck(StepControl, CheckState) override {}
    std::wstring ChooseOlderVersion(const std::wstring&) override { return {}; }
    void Beep() override {}
    void OpenReport(const std::wstring&) override {}
    void CloseWindow() override {}

  private:
    std::size_t count_ = 0;
};

template <typename F>
double MedianMs(int runs, F run) {
    run();
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::wstring> args = platform::CommandLineArguments(argc, argv);
    if (args.empty()) {
        std::fprintf(stderr, "usage: kinoha_step_window_bench CORPUS [runs]\n");
        return 2;
    }
    const int runs =
        args.size() > 1 ? std::max(1, std::atoi(platform::TerminalText(args[1]).c_str())) : 7;
    std::vector<std::wstring> projects;
    SearchFiles(platform::AbsolutePath(args[0]), L"*.vbp", true, projects, true, true);
    if (projects.empty()) {
        std::fprintf(stderr, "no project under %s\n", platform::TerminalText(args[0]).c_str());
        return 1;
    }
    for (const auto& p : projects) lstPrj.Add(p);

    AllSelected view;
    StepWindowLogic window(view);
    window.Form_Load();
    const double windowMs = MedianMs(runs, [&] { window.cmdMake_Click(); });
    const double toolMs = MedianMs(runs, [&] {
        RunStepTool(
            projects, [](const std::wstring&) {}, [](const std::wstring&) {});
    });
    std::printf("%zu projects, %d runs each\n", projects.size(), runs);
    std::printf("window, every row selected:  %.1f ms\n", windowMs);
    std::printf("kinoha-step (same projects): %.1f ms\n", toolMs);
    std::printf("window / kinoha-step = %.2f\n", windowMs / toolMs);
    return 0;
}
