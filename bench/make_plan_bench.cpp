// Times the make decision of a second run, when everything is up to date: reading 1,000
// project files of 30 members each (forms with their .frx), relating their references, ordering
// them and telling each one's state from the write times.
// Usage: kinoha_make_plan_bench [runs]
// Of the projects, every 20th builds a DLL; each of the others references the three DLLs before
// it and the OLE type library. Every output is written after every input, so all 1,000 come out
// up to date; the bench says so, or prints what it found instead.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "app/text_helpers.h"
#include "compile/make_plan.h"
#include "platform/platform.h"

namespace {
using namespace kinoha;

constexpr int kProjects = 1000;
constexpr int kForms = 10, kModules = 10, kClasses = 10;

std::string Ansi(const std::wstring& text) {
    return platform::EncodeAnsi(text);
}

std::wstring OutputName(int i) {
    return L"Prj" + std::to_wstring(i) + (i % 20 == 0 ? L".dll" : L".exe");
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::wstring> args = platform::CommandLineArguments(argc, argv);
    const int runs = !args.empty() ? std::max(1, std::stoi(args[0])) : 5;
    const std::wstring root = platform::TemporaryDirectory() + L"\\kinoha-make-plan-bench";
    const std::wstring bin = root + L"\\bin";
    platform::EnsureDirectory(bin);
    std::vector<std::wstring> projects;
    for (int i = 0; i < kProjects; ++i) {
        const std::wstring n = std::to_wstring(i);
        const std::wstring folder = root + L"\\p" + n;
        platform::EnsureDirectory(folder);
        std::string text = i % 20 == 0 ? "Type=OleDll\r\n" : "Type=Exe\r\n";
        text +=
            "Reference=*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#"
            "..\\..\\..\\..\\WINDOWS\\system32\\stdole2.tlb#OLE Automation\r\n";
        if (i % 20 != 0) {
            for (int d = (i / 20) * 20, k = 0; d >= 0 && k < 3; d -= 20, ++k)
                text += "Reference=*\\G{11111111-0000-0000-0000-" + std::to_string(d) +
                        "}#1.0#0#..\\bin\\" + Ansi(OutputName(d)) + "#Library " +
                        std::to_string(d) + "\r\n";
        }
        for (int f = 0; f < kForms; ++f) {
            const std::string name = "frm" + std::to_string(f);
            text += "Form=" + name + ".frm\r\n";
            platform::ReplaceFileAtomically(folder + L"\\" + platform::DecodeAnsi(name) + L".frm",
                                            "VERSION 5.00\r\n");
            platform::ReplaceFileAtomically(folder + L"\\" + platform::DecodeAnsi(name) + L".frx",
                                            "x");
        }
        for (int m = 0; m < kModules; ++m) {
            const std::string name = "mod" + std::to_string(m);
            text += "Module=M" + std::to_string(m) + "; " + name + ".bas\r\n";
            platform::ReplaceFileAtomically(folder + L"\\" + platform::DecodeAnsi(name) + L".bas",
                                            "Option Explicit\r\n");
        }
        for (int c = 0; c < kClasses; ++c) {
            const std::string name = "cls" + std::to_string(c);
            text += "Class=C" + std::to_string(c) + "; " + name + ".cls\r\n";
            platform::ReplaceFileAtomically(folder + L"\\" + platform::DecodeAnsi(name) + L".cls",
                                            "Option Explicit\r\n");
        }
        text += "ExeName32=\"" + Ansi(OutputName(i)) + "\"\r\nPath32=\"..\\bin\"\r\nName=\"P" +
                std::to_string(i) + "\"\r\n";
        const std::wstring path = folder + L"\\Project" + n + L".vbp";
        platform::ReplaceFileAtomically(path, text);
        projects.push_back(path);
    }
    // The outputs after every input, in a later second for file systems with coarse times.
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    for (int i = 0; i < kProjects; ++i)
        platform::ReplaceFileAtomically(bin + L"\\" + OutputName(i), "MZ");

    std::vector<double> times, reading;
    std::size_t upToDate = 0, related = 0;
    std::wstring firstReason;
    const auto since = [](std::chrono::steady_clock::time_point t) {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
    };
    for (int r = 0; r < runs; ++r) {
        const auto start = std::chrono::steady_clock::now();
        const MakePlan plan(projects, projects);
        reading.push_back(since(start));
        const std::vector<MakeState> states = plan.Forecast();
        times.push_back(since(start));
        upToDate = 0;
        related = 0;
        for (std::size_t i = 0; i < states.size(); ++i) {
            if (states[i].upToDate) {
                ++upToDate;
            } else if (firstReason.empty()) {
                firstReason = states[i].reason;
            }
            related += plan.After(i).size();
        }
    }
    std::printf(
        "%d projects of %d members, median of %d runs: %.1f ms (%zu up to date, %zu "
        "references related); of it the plan (reading, relating, ordering) %.1f ms\n",
        kProjects, kForms + kModules + kClasses, runs, Median(times) * 1000, upToDate, related,
        Median(reading) * 1000);
    if (upToDate != static_cast<std::size_t>(kProjects))
        std::printf("not all up to date; the first reason: %s\n",
                    platform::TerminalText(firstReason).c_str());
    return upToDate == static_cast<std::size_t>(kProjects) ? 0 : 1;
}
