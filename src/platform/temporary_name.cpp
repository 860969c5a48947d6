// Names of the temporary files of an atomic replace, shared by both sides so that a temporary
// left by a killed process is recognised by the next write of the same target.
#include <string>

#include "platform/platform_detail.h"

namespace kinoha::platform::detail {
namespace {
constexpr std::wstring_view kMark = L".kinoha-";
constexpr std::wstring_view kEnd = L".tmp";

// Digits, one "-", digits: the process and the count of a temporary's name.
bool IsProcessAndCount(std::wstring_view s) {
    const auto dash = s.find(L'-');
    if (dash == 0 || dash == std::wstring_view::npos || dash + 1 == s.size()) return false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (i != dash && (s[i] < L'0' || s[i] > L'9')) return false;
    }
    return true;
}
}  // namespace

std::wstring TemporaryName(const std::wstring& name, unsigned long process, unsigned count) {
    return L"." + name + std::wstring(kMark) + std::to_wstring(process) + L"-" +
           std::to_wstring(count) + std::wstring(kEnd);
}

bool IsTemporaryOf(std::wstring_view candidate, std::wstring_view name) {
    const std::size_t fixed = 1 + name.size() + kMark.size();
    if (candidate.size() <= fixed + kEnd.size() || candidate[0] != L'.' ||
        candidate.substr(1, name.size()) != name ||
        candidate.substr(1 + name.size(), kMark.size()) != kMark ||
        candidate.substr(candidate.size() - kEnd.size()) != kEnd)
        return false;
    return IsProcessAndCount(candidate.substr(fixed, candidate.size() - fixed - kEnd.size()));
}

}  // namespace kinoha::platform::detail
