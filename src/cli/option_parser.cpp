#include "cli/option_parser.h"

namespace kinoha {

std::wstring ParseArguments(const std::vector<std::wstring>& args,
                            const std::vector<OptionRule>& rules, std::vector<std::wstring>& paths,
                            std::wstring_view emptyPath) {
    bool optionsEnd = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::wstring& a = args[i];
        if (optionsEnd || a.empty() || a[0] != L'-' || a == L"-") {
            if (a.empty()) return std::wstring(emptyPath);
            paths.push_back(a);
            continue;
        }
        if (a == L"--") {
            optionsEnd = true;
            continue;
        }
        const OptionRule* rule = nullptr;
        for (const auto& s : rules) {
            for (const auto name : s.names) {
                if (a == name) rule = &s;
            }
        }
        if (rule == nullptr) return L"unknown option " + a;
        bool missing = i + rule->values >= args.size();
        for (std::size_t k = 1; !missing && k <= rule->values; ++k)
            missing = rule->emptyIsMissing && args[i + k].empty();
        if (missing)
            return rule->missing.empty() ? a + L" needs a value" : std::wstring(rule->missing);
        const std::vector<std::wstring> values(
            args.begin() + static_cast<std::ptrdiff_t>(i + 1),
            args.begin() + static_cast<std::ptrdiff_t>(i + 1 + rule->values));
        i += rule->values;
        if (std::wstring problem = rule->take(values); !problem.empty()) return problem;
    }
    return {};
}

bool ParseWholeNumber(const std::wstring& text, std::size_t digits, unsigned& value) {
    if (text.empty() || text.size() > digits) return false;
    unsigned v = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') return false;
        v = v * 10 + static_cast<unsigned>(c - L'0');
    }
    value = v;
    return true;
}

}  // namespace kinoha
