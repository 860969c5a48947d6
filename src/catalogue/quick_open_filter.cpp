#include "catalogue/quick_open_filter.h"

#include "platform/case_fold.h"

namespace kinoha {
namespace {

// Full-width katakana for the half-width forms U+FF61 to U+FF9F.
constexpr char16_t kHalfKana[] = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9,
    0x30E3, 0x30E5, 0x30E7, 0x30C3, 0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB,
    0x30AD, 0x30AF, 0x30B1, 0x30B3, 0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1,
    0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC, 0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5,
    0x30D8, 0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4, 0x30E6, 0x30E8, 0x30E9,
    0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x309B, 0x309C};

bool TakesVoicedMark(wchar_t c) {
    return (c >= 0x30AB && c <= 0x30C2 && c % 2 == 1) || c == 0x30C4 || c == 0x30C6 ||
           c == 0x30C8 || (c >= 0x30CF && c <= 0x30DD && (c - 0x30CF) % 3 == 0);
}
bool TakesSemiVoicedMark(wchar_t c) {
    return c >= 0x30CF && c <= 0x30DD && (c - 0x30CF) % 3 == 0;
}

std::vector<std::wstring> Terms(std::wstring_view query) {
    const std::wstring folded = FoldForSearch(query);
    std::vector<std::wstring> terms;
    std::size_t i = 0;
    while (i < folded.size()) {
        while (i < folded.size() && (folded[i] == L' ' || folded[i] == L'\t')) ++i;
        const std::size_t from = i;
        while (i < folded.size() && folded[i] != L' ' && folded[i] != L'\t') ++i;
        if (i > from) terms.push_back(folded.substr(from, i - from));
    }
    return terms;
}

bool HoldsAll(const std::wstring& text, const std::vector<std::wstring>& terms) {
    for (const auto& term : terms) {
        if (text.find(term) == std::wstring::npos) return false;
    }
    return true;
}
}  // namespace

std::wstring FoldForSearch(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (const wchar_t c : text) {
        wchar_t f = c;
        if (c >= 0xFF01 && c <= 0xFF5E) {
            f = static_cast<wchar_t>(c - 0xFEE0);
        } else if (c == 0x3000) {
            f = L' ';
        } else if (c >= 0xFF61 && c <= 0xFF9F) {
            f = static_cast<wchar_t>(kHalfKana[c - 0xFF61]);
            // A sound mark joins the kana before it, as its full-width form is one character.
            if (!out.empty() && c == 0xFF9E && TakesVoicedMark(out.back())) {
                out.back() = static_cast<wchar_t>(out.back() + 1);
                continue;
            }
            if (!out.empty() && c == 0xFF9E && out.back() == 0x30A6) {
                out.back() = 0x30F4;
                continue;
            }
            if (!out.empty() && c == 0xFF9F && TakesSemiVoicedMark(out.back())) {
                out.back() = static_cast<wchar_t>(out.back() + 2);
                continue;
            }
        }
        out.push_back(platform::FoldCase(f));
    }
    return out;
}

void QuickOpenIndex::Reset(std::vector<std::wstring> projects) {
    paths_ = std::move(projects);
    folded_.clear();
    folded_.reserve(paths_.size());
    position_.clear();
    for (std::size_t i = 0; i < paths_.size(); ++i) {
        folded_.push_back(FoldForSearch(paths_[i]));
        position_.emplace(paths_[i], i);
    }
}

std::vector<std::size_t> QuickOpenIndex::Filter(std::wstring_view query,
                                                const std::vector<std::wstring>& recent) const {
    const std::vector<std::wstring> terms = Terms(query);
    std::vector<std::size_t> out;
    std::vector<bool> taken;
    for (const auto& path : recent) {
        const auto at = position_.find(path);
        if (at == position_.end() || !HoldsAll(folded_[at->second], terms)) continue;
        if (taken.empty()) taken.assign(paths_.size(), false);
        if (taken[at->second]) continue;
        taken[at->second] = true;
        out.push_back(at->second);
    }
    for (std::size_t i = 0; i < paths_.size(); ++i) {
        if ((taken.empty() || !taken[i]) && HoldsAll(folded_[i], terms)) out.push_back(i);
    }
    return out;
}

}  // namespace kinoha
