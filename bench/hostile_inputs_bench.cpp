// Inputs shaped to make a careless algorithm quadratic.
//   kinoha_hostile_bench resolve KB [SHAPE]  ResolvePath of a path line of about KB kilobytes
//                                     after "C:\": "a\" steps then as many "..\" steps
//                                     (nested, the default), or "a\..\" repeated (alternating)
//   kinoha_hostile_bench sorted N     N member entries added to a SortedList in descending and in
//                                     ascending order, then read
// Each prints the time of one run.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "app/sorted_list.h"
#include "app/text_helpers.h"

namespace {

// Wall and processor time since a start, as "W s wall, C s CPU": on a busy machine the
// processor time is the steadier figure.
struct Clock {
    std::chrono::steady_clock::time_point wall = std::chrono::steady_clock::now();
    std::clock_t cpu = std::clock();
    std::string Took() const {
        const double w =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count();
        const double c = static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;
        char text[64];
        std::snprintf(text, sizeof text, "%.3f s wall, %.3f s CPU", w, c);
        return text;
    }
};

// "nested": "a\" steps, then as many "..\" steps; "alternating": "a\..\" repeated.
int Resolve(long kilobytes, const std::string& shape) {
    std::wstring path = L"C:\\";
    if (shape == "alternating") {
        while (path.size() < static_cast<std::size_t>(kilobytes) * 1024) path += L"a\\..\\";
    } else {
        const long steps = kilobytes * 1024 / 5;
        for (long i = 0; i < steps; ++i) path += L"a\\";
        for (long i = 0; i < steps; ++i) path += L"..\\";
    }
    path += L"x.bas";
    const Clock clock;
    const std::wstring resolved = kinoha::ResolvePath(path);
    const std::string took = clock.Took();
    std::printf("ResolvePath of %zu characters (%s): %s (%ls)\n", path.size(), shape.c_str(),
                took.c_str(), resolved.c_str());
    return resolved == L"C:\\x.bas" ? 0 : 1;
}

int Sorted(long count) {
    for (const bool descending : {true, false}) {
        const Clock clock;
        kinoha::SortedList list;
        for (long i = 0; i < count; ++i) {
            const long n = descending ? count - i : i;
            list.Add(L"Module" + std::to_wstring(1000000 + n) + L"          |C:\\p\\M" +
                     std::to_wstring(n) + L".bas");
        }
        const bool ordered =
            list.Count() == static_cast<std::size_t>(count) &&
            list[0].find(L"Module" + std::to_wstring(descending ? 1000001 : 1000000)) == 0;
        std::printf("%ld entries %s: %s\n", count, descending ? "descending" : "ascending",
                    clock.Took().c_str());
        if (!ordered) return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == "resolve")
        return Resolve(std::atol(argv[2]), argc >= 4 ? argv[3] : "nested");
    if (argc >= 3 && std::string(argv[1]) == "sorted") return Sorted(std::atol(argv[2]));
    std::fprintf(stderr,
                 "usage: kinoha_hostile_bench resolve KB [nested|alternating] | sorted N\n");
    return 2;
}
