// The launcher at team scale, three figures:
//   start  TREE [runs]  time from the start sequence to the tray icon on a project directory
//                       (the 20,220-directory tree of kinoha_search_bench generate), with the
//                       background search, against the search it replaced (the whole
//                       synchronous build before the icon); and the time to the hand-over.
//   filter [runs]       the quick-open filter over 10,000 projects, per keystroke of a query
//                       typed one character at a time.
//   memory              memory in use (platform::MemoryInUse: the heap natively, the working
//                       set on Windows) before and after a catalogue of 10,000 projects and the
//                       quick-open index over it.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "app/globals.h"
#include "app/recent_projects.h"
#include "app/settings.h"
#include "catalogue/background_catalogue.h"
#include "catalogue/catalogue.h"
#include "catalogue/exclusion.h"
#include "catalogue/quick_open_filter.h"
#include "platform/platform.h"
#include "start/start_sequence.h"
#include "tray/tray_view.h"

namespace {
using namespace kinoha;
using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

void Summary(const char* what, std::vector<double> v) {
    std::sort(v.begin(), v.end());
    std::printf("%-44s min %9.3f  median %9.3f  max %9.3f ms (%zu runs)\n", what, v.front(),
                v[v.size() / 2], v.back(), v.size());
}

// The tray window as the start sequence meets it, with the real background build.
class BenchTray final : public TrayView {
  public:
    Clock::time_point iconAt;
    bool ready = false;
    std::mutex mutex;
    std::condition_variable cv;
    BackgroundCatalogue worker{[this] {
        std::lock_guard lock(mutex);
        ready = true;
        cv.notify_all();
    }};

    void ShowMessage(const std::wstring&, const std::wstring&, MessageIcon) override {}
    void* NativeWindow() override { return nullptr; }
    void RebuildCatalogue(bool research) override { worker.Request(research); }
    void ShowPathPanel() override {}
    void HidePathPanel() override {}
    std::wstring ChooseOpenFile(const std::wstring&, const std::wstring&,
                                const std::wstring&) override {
        return {};
    }
    std::wstring ChooseFolder(const std::wstring&) override { return {}; }
    void EndProgramNow() override { std::exit(1); }
    void MoveSplashBack() override {}
    void AddTrayIcon() override { iconAt = Clock::now(); }
    void UnloadSplash() override {}
    void ShowFirstStartNotice() override {}

    void WaitAndHandOver() {
        std::unique_lock lock(mutex);
        cv.wait(lock, [&] { return ready; });
        ready = false;
        lock.unlock();
        worker.HandOver();
    }
};

int Start(const std::wstring& tree, int runs) {
    const std::wstring ini = tree + L".ini";  // beside the tree, outside it
    std::vector<double> toIcon, toHandOver, synchronous;
    std::size_t found = 0;
    for (int run = 0; run <= runs; ++run) {
        ResetGlobals();
        ResetMenus();
        gIniPath = ini;
        platform::WriteTextLines(gIniPath, {L"[VBMAIN]C:\\VB98\\VB6.EXE", L"[DIR   ]" + tree});
        BenchTray tray;
        const auto start = Clock::now();
        LoadTray(tray);
        tray.WaitAndHandOver();
        const auto end = Clock::now();
        found = lstPrj.Count();

        ResetMenus();
        const auto before = Clock::now();
        BuildCatalogue(true);
        const auto after = Clock::now();
        if (run == 0) continue;  // warm-up
        toIcon.push_back(Ms(tray.iconAt - start));
        toHandOver.push_back(Ms(end - start));
        synchronous.push_back(Ms(after - before));
    }
    std::printf("%zu projects and groups found\n", found);
    Summary("start to tray icon (background search)", toIcon);
    Summary("start to catalogue handed over", toHandOver);
    Summary("synchronous build (the icon waited for it)", synchronous);
    return 0;
}

std::vector<std::wstring> TenThousandProjects() {
    const wchar_t* words[] = {L"Uriage", L"Zaiko", L"Tanaoroshi", L"Kyuyo",  L"Kaikei",
                              L"販売",   L"在庫",  L"ｼｲﾚ",        L"Shukka", L"Nyuka"};
    std::vector<std::wstring> paths;
    for (int i = 0; i < 10000; ++i) {
        const std::wstring n = std::to_wstring(i);
        paths.push_back(L"\\\\fileserver\\vb6\\" + std::wstring(words[i % 10]) + L"\\Dept" +
                        std::to_wstring(i % 37) + L"\\" + words[(i / 10) % 10] + n + L"\\" +
                        words[(i / 100) % 10] + n + L".vbp");
    }
    return paths;
}

int Filter(int runs) {
    QuickOpenIndex index;
    const auto reset = Clock::now();
    index.Reset(TenThousandProjects());
    const double resetMs = Ms(Clock::now() - reset);
    std::vector<std::wstring> recent;
    for (int i = 0; i < 20; ++i) recent.push_back(index.Path(static_cast<std::size_t>(i * 397)));
    const std::wstring typed = L"zaiko dept1 シイレ 1";
    std::vector<double> perKey;
    std::size_t shown = 0;
    for (int run = 0; run < runs; ++run) {
        for (std::size_t k = 1; k <= typed.size(); ++k) {
            const auto t = Clock::now();
            shown = index.Filter(typed.substr(0, k), recent).size();
            perKey.push_back(Ms(Clock::now() - t));
        }
    }
    std::printf("index of 10000 projects built in %.3f ms; last query shows %zu\n", resetMs, shown);
    Summary("filter of 10000 projects per keystroke", perKey);
    return 0;
}

int Memory() {
    const std::size_t before = platform::MemoryInUse();
    std::vector<std::wstring> paths = TenThousandProjects();
    for (auto& p : paths) lstPrj.Add(std::move(p));
    CatalogueInputs in = CurrentCatalogueInputs(false);
    in.prjDir = L"C:\\nowhere";  // the project files cannot be read: no executables
    PublishCatalogue(ComputeCatalogue(std::move(in), [] { return true; }));
    QuickOpenIndex index;
    index.Reset(WithoutExcluded(lstPrj.Items(), lstJyogai));
    const std::size_t after = platform::MemoryInUse();
    std::printf("memory in use: %.1f MB before, %.1f MB with 10000 projects (+%.1f MB)\n",
                before / 1048576.0, after / 1048576.0, (after - before) / 1048576.0);
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    const std::string what = argc >= 2 ? argv[1] : "";
    if (what == "start" && argc >= 3) {
        return Start(platform::AbsolutePath(platform::CommandLineArguments(argc, argv)[1]),
                     argc >= 4 ? std::atoi(argv[3]) : 5);
    }
    if (what == "filter") return Filter(argc >= 3 ? std::atoi(argv[2]) : 20);
    if (what == "memory") return Memory();
    std::fprintf(stderr,
                 "usage: kinoha_launcher_bench start TREE [RUNS] | filter [RUNS] | memory\n");
    return 2;
}
