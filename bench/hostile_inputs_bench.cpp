// Inputs shaped to make a careless algorithm quadratic.
//   kinoha_hostile_bench resolve KB   ResolvePath of a path line of about KB kilobytes:
//                                     "C:\", then "a\" and "..\" in equal numbers
//   kinoha_hostile_bench sorted N     N member entries added to a SortedList in descending and in
//                                     ascending order, then read
// Each prints the time of one run.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/sorted_list.h"
#include "app/text_helpers.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int Resolve(long kilobytes) {
    const long steps = kilobytes * 1024 / 5;
    std::wstring path = L"C:\\";
    for (long i = 0; i < steps; ++i) path += L"a\\";
    for (long i = 0; i < steps; ++i) path += L"..\\";
    path += L"x.bas";
    const auto start = std::chrono::steady_clock::now();
    const std::wstring resolved = kinoha::ResolvePath(path);
    const double took = Seconds(start);
    std::printf("ResolvePath of %zu characters: %.3f s (%ls)\n", path.size(), took,
                resolved.c_str());
    return resolved == L"C:\\x.bas" ? 0 : 1;
}

int Sorted(long count) {
    for (const bool descending : {true, false}) {
        const auto start = std::chrono::steady_clock::now();
        kinoha::SortedList list;
        for (long i = 0; i < count; ++i) {
            const long n = descending ? count - i : i;
            list.Add(L"Module" + std::to_wstring(1000000 + n) + L"          |C:\\p\\M" +
                     std::to_wstring(n) + L".bas");
        }
        const bool ordered =
            list.Count() == static_cast<std::size_t>(count) &&
            list[0].find(L"Module" + std::to_wstring(descending ? 1000001 : 1000000)) == 0;
        std::printf("%ld entries %s: %.3f s\n", count, descending ? "descending" : "ascending",
                    Seconds(start));
        if (!ordered) return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == "resolve") return Resolve(std::atol(argv[2]));
    if (argc >= 3 && std::string(argv[1]) == "sorted") return Sorted(std::atol(argv[2]));
    std::fprintf(stderr, "usage: kinoha_hostile_bench resolve KB | sorted N\n");
    return 2;
}
