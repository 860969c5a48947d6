#include <vector>

#include "app/text_helpers.h"
#include "platform/platform.h"

namespace kinoha {
namespace {
constexpr std::wstring_view kUp = L"..\\";
}  // namespace

std::wstring ResolvePath(std::wstring_view path) {
    if (path.substr(0, 3) == kUp) {
        // Relative to the program's directory: one folder cut per step.
        std::int32_t position = 0, steps = 0;
        SearchString(1, path, kUp, position, steps);
        std::wstring base = platform::ProgramDirectory();
        for (std::int32_t i = 0; i < steps; ++i) {
            const std::int32_t q = LastBackslash(base);
            if (q > 0) base.resize(static_cast<std::size_t>(q - 1));
        }
        const auto from = static_cast<std::size_t>(3) * static_cast<std::size_t>(steps);
        return base + L"\\" + std::wstring(from < path.size() ? path.substr(from) : L"");
    }
    // Each "..\" drops the folder before it, as the first step of the path is applied again and
    // again until one cannot be; done in one pass. The path at any moment is `out` followed by
    // path[j..]: `out` holds no step, ends with "\" (or is empty at the start), and `slashes`
    // holds the places of its backslashes, so dropping a folder needs no search back.
    std::wstring out;
    std::vector<std::size_t> slashes;
    std::size_t j = 0;
    for (;;) {
        const std::size_t k = path.find(kUp, j);
        if (k == std::wstring_view::npos) break;
        if (k > j) {
            // The text before the character in front of "..", back to the last backslash, stays.
            const std::wstring_view kept = path.substr(j, k - 1 - j);
            const std::size_t last = kept.rfind(L'\\');
            if (last != std::wstring_view::npos) {
                for (std::size_t i = 0; i <= last; ++i) {
                    if (kept[i] == L'\\') slashes.push_back(out.size() + i);
                }
                out.append(kept.substr(0, last + 1));
            } else if (slashes.empty()) {
                break;  // no backslash before the step
            }
        } else {
            // The step follows `out` directly: the folder `out` ends with goes.
            if (slashes.size() < 2) break;
            slashes.pop_back();
            out.resize(slashes.back() + 1);
        }
        j = k + kUp.size();
    }
    out.append(path.substr(j));
    return out;
}

}  // namespace kinoha
