// Project search benchmark.
//   kinoha_search_bench generate DIR   writes a tree of 20,220 directories holding 2,000 project
//                                      and group files (and 6,000 member files beside them)
//   kinoha_search_bench diamond DIR L  writes DIR/L0 ... DIR/L<L>: each level holds a project and
//                                      two directory links to the next (search DIR/L0)
//   kinoha_search_bench search DIR [N] runs the catalogue's two searches N times (default 1) and
//                                      prints the number of files found and the time per run
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "catalogue/project_search.h"

namespace fs = std::filesystem;

namespace {

void Touch(const fs::path& path, const char* text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

int Generate(const fs::path& root) {
    int files = 0;
    int leaf = 0;
    for (int a = 0; a < 20; ++a) {
        for (int b = 0; b < 10; ++b) {
            for (int c = 0; c < 100; ++c, ++leaf) {
                const fs::path dir = root / ("sys" + std::to_string(a)) /
                                     ("Sub" + std::to_string(b)) / ("mod" + std::to_string(c));
                fs::create_directories(dir);
                if (leaf % 10 != 0) continue;
                // One project or group every tenth directory; mixed letter case as real trees have.
                const bool group = (leaf / 10) % 10 == 0;
                const std::string name = "Prj" + std::to_string(leaf) + (group ? ".VBG" : ".vbp");
                Touch(dir / name, "Type=Exe\r\n");
                Touch(dir / "frmMain.frm", "VERSION 5.00\r\n");
                Touch(dir / "Module1.bas", "Attribute VB_Name = \"Module1\"\r\n");
                Touch(dir / "Class1.cls", "VERSION 1.0 CLASS\r\n");
                ++files;
            }
        }
    }
    std::printf("%d project and group files in %d leaf directories\n", files, leaf);
    return 0;
}

// Names are built with "+=": a literal "+" std::to_string trips GCC 12's -Wrestrict at -O3.
fs::path Level(const fs::path& root, int i) {
    std::string name = "L";
    name += std::to_string(i);
    return root / name;
}

// Level i is reached 2^i ways through the links; a search that follows every way finds
// 2^(L+1) - 1 projects, one that enters each directory once finds L + 1.
int Diamond(const fs::path& root, int levels) {
    for (int i = 0; i <= levels; ++i) {
        const fs::path level = Level(root, i);
        fs::create_directories(level);
        std::string project = "P";
        project += std::to_string(i);
        project += ".vbp";
        Touch(level / project, "Type=Exe\r\n");
        if (i == levels) break;
        const fs::path next = fs::absolute(Level(root, i + 1));
        fs::create_directory_symlink(next, level / "a");
        fs::create_directory_symlink(next, level / "b");
    }
    std::printf("%d levels under %s\n", levels, Level(root, 0).string().c_str());
    return 0;
}

int Search(const std::wstring& root, int repeat) {
    std::vector<std::wstring> list;
    double best = 1e30;
    for (int i = 0; i < repeat; ++i) {
        const auto start = std::chrono::steady_clock::now();
        kinoha::SearchFiles(root, L"*.vbg", true, list, true, true);
        kinoha::SearchFiles(root, L"*.vbp", true, list, false, true);
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        if (took.count() < best) best = took.count();
    }
    std::printf("%zu files found; best of %d: %.1f ms\n", list.size(), repeat, best);
    return list.empty() ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == "generate") return Generate(argv[2]);
    if (argc >= 4 && std::string(argv[1]) == "diamond") return Diamond(argv[2], std::atoi(argv[3]));
    if (argc >= 3 && std::string(argv[1]) == "search") {
        const fs::path root = fs::absolute(argv[2]);
        return Search(root.wstring(), argc >= 4 ? std::atoi(argv[3]) : 1);
    }
    std::fprintf(
        stderr,
        "usage: kinoha_search_bench generate DIR | diamond DIR LEVELS | search DIR [RUNS]\n");
    return 2;
}
