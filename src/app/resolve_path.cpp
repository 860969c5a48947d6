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
    std::wstring result(path);
    for (;;) {
        std::int32_t p = 0, count = 0;
        SearchString(0, result, kUp, p, count);
        if (p == 0) break;
        const std::wstring_view head = std::wstring_view(result).substr(0, p >= 2 ? p - 2 : 0);
        const std::int32_t q = LastBackslash(head);
        if (q == 0) break;
        result = result.substr(0, static_cast<std::size_t>(q - 1)) + L"\\" +
                 result.substr(static_cast<std::size_t>(p + 2));
    }
    return result;
}

}  // namespace kinoha
