// Times BuildCatalogue(true) on a generated tree of 1,000 projects and 100 groups.
// Usage: kinoha_catalogue_bench [runs] [--no-pump]
// Default 9 timed runs after one warm-up run; --no-pump replaces the window-event pump by
// nothing, to tell its cost from the file system's.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "app/globals.h"
#include "catalogue/catalogue.h"
#include "platform/platform.h"

namespace {
using kinoha::platform::EncodeAnsi;

constexpr int kDepartments = 10;
constexpr int kSystems = 10;   // per department; each holds one group
constexpr int kProjects = 10;  // per system

std::string ProjectText(int index, bool exe) {
    const std::string n = std::to_string(index);
    std::string t;
    t += exe ? "Type=Exe\r\n" : "Type=OleDll\r\n";
    t += "Reference=*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#"
         "..\\..\\..\\Windows\\System32\\stdole2.tlb#OLE Automation\r\n";
    t += "Reference=*\\G{00000205-0000-0010-8000-00AA006D2EA4}#2.5#0#"
         "..\\..\\Common Files\\System\\ado\\msado25.tlb#Microsoft ActiveX Data Objects 2.5\r\n";
    t += "Object={831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0; MSCOMCTL.OCX\r\n";
    for (int f = 0; f < 6; ++f) t += "Form=frm" + n + "_" + std::to_string(f) + ".frm\r\n";
    for (int m = 0; m < 4; ++m)
        t += "Module=M" + std::to_string(m) + "; mod" + std::to_string(m) + ".bas\r\n";
    t += "Class=CData; CData.cls\r\n";
    t += "Startup=\"Sub Main\"\r\n";
    t += "HelpFile=\"\"\r\n";
    t += "Title=\"Project" + n + "\"\r\n";
    t += exe ? "ExeName32=\"Prj" + n + ".exe\"\r\n" : "ExeName32=\"Lib" + n + ".dll\"\r\n";
    t += "Path32=\"..\\..\\bin\"\r\n";
    t += "Command32=\"\"\r\n";
    t += "Name=\"Project" + n + "\"\r\n";
    t += "HelpContextID=\"0\"\r\nCompatibleMode=\"0\"\r\nMajorVer=1\r\nMinorVer=0\r\n"
         "RevisionVer=0\r\nAutoIncrementVer=0\r\nServerSupportFiles=0\r\n"
         "VersionCompanyName=\"Example\"\r\nCompilationType=0\r\nOptimizationType=0\r\n"
         "FavorPentiumPro(tm)=0\r\nCodeViewDebugInfo=0\r\nNoAliasing=0\r\nBoundsCheck=0\r\n"
         "OverflowCheck=0\r\nFlPointCheck=0\r\nFDIVCheck=0\r\nUnroundedFP=0\r\nStartMode=0\r\n"
         "Unattended=0\r\nRetained=0\r\nThreadPerObject=0\r\nMaxNumberOfThreads=1\r\n"
         "DebugStartupOption=0\r\n\r\n[MS Transaction Server]\r\nAutoRefresh=1\r\n";
    return t;
}

bool Write(const std::wstring& path, const std::string& bytes) {
    const auto slash = path.rfind(L'\\');
    return kinoha::platform::EnsureDirectory(path.substr(0, slash)) &&
           kinoha::platform::ReplaceFileAtomically(path, bytes);
}

bool MakeTree(const std::wstring& root) {
    int index = 0;
    for (int d = 0; d < kDepartments; ++d) {
        for (int s = 0; s < kSystems; ++s) {
            const std::wstring system =
                root + L"\\Dept" + std::to_wstring(d) + L"\\System" + std::to_wstring(s);
            std::string group = "VBGROUP 5.0\r\n";
            for (int p = 0; p < kProjects; ++p, ++index) {
                const std::wstring name = L"Prj" + std::to_wstring(index);
                const bool exe = index % 5 != 4;  // every fifth project builds a DLL
                if (!Write(system + L"\\src\\" + name + L"\\" + name + L".vbp",
                           ProjectText(index, exe)))
                    return false;
                // Source files beside each project, so the search walks real folders.
                if (!Write(system + L"\\src\\" + name + L"\\mod0.bas",
                           "Attribute VB_Name = \"M0\"\r\n"))
                    return false;
                group += (p == 0 ? "StartupProject=src\\" : "Project=src\\") + EncodeAnsi(name) +
                         "\\" + EncodeAnsi(name) + ".vbp\r\n";
            }
            if (!Write(system + L"\\System" + std::to_wstring(s) + L".vbg", group)) return false;
        }
    }
    return true;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}
}  // namespace

int main(int argc, char** argv) {
    int runs = 9;
    bool pump = true;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--no-pump") {
            pump = false;
        } else {
            runs = std::max(1, std::atoi(argv[i]));
        }
    }
    if (!pump) kinoha::platform::SetEventPumpForTesting([] {});
    namespace fs = std::filesystem;
    std::random_device rd;
    const fs::path root = fs::temp_directory_path() / ("kinoha-bench-" + std::to_string(rd()));
    fs::create_directories(root);
    const std::wstring rootPath = root.wstring();
    if (!MakeTree(rootPath)) {
        std::fprintf(stderr, "cannot create the tree under %s\n", root.string().c_str());
        return 1;
    }

    kinoha::ResetGlobals();
    kinoha::gPrjDir = rootPath;
    kinoha::lstJyogai = {L"\\old\\", L"Test"};
    kinoha::BuildCatalogue(true);  // warm-up: file system caches
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        kinoha::BuildCatalogue(true);
        const auto end = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::size_t visibleExe = 0;
    for (const auto& e : kinoha::mnuEXE) visibleExe += e.visible ? 1 : 0;
    std::printf("BuildCatalogue(true): %zu files found, %zu executables listed, %zu menu entries\n",
                kinoha::lstPrj.Count(), kinoha::lstExe.size(), visibleExe);
    std::printf("%s, runs %d  min %.1f ms  median %.1f ms  max %.1f ms\n",
                pump ? "events pumped" : "no pump", runs, *std::min_element(ms.begin(), ms.end()),
                Median(ms), *std::max_element(ms.begin(), ms.end()));

    std::error_code ec;
    fs::remove_all(root, ec);
    return 0;
}
