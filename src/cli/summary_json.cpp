// The json summary.
#include "cli/shown_text.h"
#include "cli/summary_formats.h"
#include "step/member_lists.h"

namespace kinoha {
namespace {

void Hex4(std::wstring& out, unsigned long v) {
    static constexpr wchar_t kHex[] = L"0123456789abcdef";
    out += L"\\u";
    for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(v >> shift) & 0xF];
}

// A JSON string of ASCII only. A byte that started no character of the code page, and a lone
// surrogate, are U+FFFD: JSON text is Unicode.
}  // namespace

std::wstring JsonString(const std::wstring& text) {
    std::wstring out = L"\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto u = static_cast<unsigned long>(text[i]);
        if (u == L'"' || u == L'\\') {
            out += L'\\';
            out += text[i];
        } else if (u == L'\n') {
            out += L"\\n";
        } else if (u == L'\r') {
            out += L"\\r";
        } else if (u == L'\t') {
            out += L"\\t";
        } else if (u >= 0x20 && u < 0x7F) {
            out += text[i];
        } else if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.size() &&
                   static_cast<unsigned long>(text[i + 1]) >= 0xDC00 &&
                   static_cast<unsigned long>(text[i + 1]) <= 0xDFFF) {
            Hex4(out, u);  // a UTF-16 pair (Windows) stays a pair
            Hex4(out, static_cast<unsigned long>(text[++i]));
        } else if ((u >= 0xD800 && u <= 0xDFFF) || u > 0x10FFFF) {
            Hex4(out, 0xFFFD);
        } else if (u > 0xFFFF) {
            u -= 0x10000;
            Hex4(out, 0xD800 + (u >> 10));
            Hex4(out, 0xDC00 + (u & 0x3FF));
        } else {
            Hex4(out, u);
        }
    }
    return out + L"\"";
}

namespace {

std::wstring Num(std::int64_t v) {
    return std::to_wstring(v);
}

std::wstring CountsObject(const MemberCounts& c) {
    return L"{\"screen\": " + Num(c.screen) + L", \"code\": " + Num(c.code) + L", \"comment\": " +
           Num(c.comment) + L", \"blank\": " + Num(c.blank) + L"}";
}

// The member file's local date and time, "YYYY-MM-DDTHH:MM:SS".
std::wstring IsoDate(const platform::LocalDateTime& t) {
    std::wstring s = std::to_wstring(t.year);
    if (s.size() < 4) s.insert(0, 4 - s.size(), L'0');
    const auto two = [&s](wchar_t sep, int v) {
        s += sep;
        s += static_cast<wchar_t>(L'0' + (v / 10) % 10);
        s += static_cast<wchar_t>(L'0' + v % 10);
    };
    two(L'-', t.month);
    two(L'-', t.day);
    two(L'T', t.hour);
    two(L':', t.minute);
    two(L':', t.second);
    return s;
}

std::wstring PathOrNull(const std::wstring& path, const std::wstring& here) {
    return path.empty() ? L"null" : JsonString(PortablePath(path, here));
}

std::wstring Member(const MemberStep& m, const std::wstring& here) {
    return L"{\"kind\": " + std::wstring(L"\"") + std::wstring(KindWord(m.kind)) +
           L"\", \"name\": " + JsonString(m.name) + L", \"file\": " + PathOrNull(m.file, here) +
           L", \"counts\": " + (m.counted ? CountsObject(m.counts) : L"null") + L", \"date\": " +
           (m.counted ? JsonString(IsoDate(m.date)) : L"null") + L", \"failure\": " +
           (m.failure.empty() ? L"null" : JsonString(m.failure)) + L"}";
}

std::wstring Project(const ProjectStep& p, const std::wstring& here) {
    const bool counted = p.state != ProjectState::Failed;
    std::wstring out = L"    {\n      \"path\": " + JsonString(PortablePath(p.path, here)) +
                       L",\n      \"state\": \"" + StateName(p.state) + L"\",\n      \"report\": " +
                       PathOrNull(p.report, here) + L",\n      \"memberCount\": " +
                       Num(static_cast<std::int64_t>(p.memberCount)) + L",\n      \"totals\": " +
                       (counted ? CountsObject(p.totals) : L"null") + L",\n      \"members\": [";
    for (std::size_t i = 0; i < p.members.size(); ++i)
        out += (i == 0 ? L"\n        " : L",\n        ") + Member(p.members[i], here);
    out += p.members.empty() ? L"]" : L"\n      ]";
    out += L",\n      \"problems\": [";
    for (std::size_t i = 0; i < p.problems.size(); ++i) {
        const StepFailure& f = p.problems[i];
        out += (i == 0 ? L"\n        " : L",\n        ");
        out += L"{\"file\": " + PathOrNull(f.file, here) + L", \"reason\": " +
               JsonString(f.reason) + L"}";
    }
    out += p.problems.empty() ? L"]" : L"\n      ]";
    return out + L"\n    }";
}

}  // namespace

std::wstring JsonSummary(const StepRun& run, const std::wstring& here) {
    std::wstring out = L"{\n  \"projects\": [";
    for (std::size_t i = 0; i < run.projects.size(); ++i)
        out += (i == 0 ? L"\n" : L",\n") + Project(run.projects[i], here);
    const RunTotals t = CountedTotals(run);
    const MemberCounts& all = t.counts;
    out += run.projects.empty() ? L"]" : L"\n  ]";
    out += L",\n  \"total\": {\"projects\": " +
           Num(static_cast<std::int64_t>(run.projects.size())) + L", \"counted\": " +
           Num(static_cast<std::int64_t>(t.projects)) + L", \"members\": " +
           Num(static_cast<std::int64_t>(t.members)) + L", \"screen\": " + Num(all.screen) +
           L", \"code\": " + Num(all.code) + L", \"comment\": " + Num(all.comment) +
           L", \"blank\": " + Num(all.blank) + L"}";
    out += L",\n  \"repeatsSkipped\": " + Num(static_cast<std::int64_t>(run.repeatsSkipped));
    out += L",\n  \"unreadableDirectories\": [";
    for (std::size_t i = 0; i < run.unreadableDirectories.size(); ++i)
        out +=
            (i == 0 ? L"" : L", ") + JsonString(PortablePath(run.unreadableDirectories[i], here));
    out += L"],\n  \"exitStatus\": " + Num(run.status) + L"\n}\n";
    return out;
}

}  // namespace kinoha
