#include "compile/compile_reports.h"

#include <cstdio>

namespace kinoha {
namespace {

// The next code point of `text` from `i` (advancing it); 0 for what is no valid
// character (a lone surrogate, a value beyond U+10FFFF).
char32_t NextCodePoint(std::wstring_view text, std::size_t& i) {
    const char32_t c = static_cast<char32_t>(text[i++]);
    if constexpr (sizeof(wchar_t) == 2) {
        if (c >= 0xD800 && c <= 0xDBFF && i < text.size()) {
            const char32_t low = static_cast<char32_t>(text[i]);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                ++i;
                return 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            }
        }
    }
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return 0;
    return c;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// XML 1.0 allows tab, LF, CR and no other control character, even escaped.
std::string Xml(std::wstring_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = NextCodePoint(text, i);
        if (c == 0 || (c < 0x20 && c != 0x09 && c != 0x0A && c != 0x0D) || c == 0xFFFE ||
            c == 0xFFFF) {
            out += '?';
        } else if (c == '&') {
            out += "&amp;";
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else if (c == '"') {
            out += "&quot;";
        } else {
            AppendUtf8(out, c);
        }
    }
    return out;
}

std::string Json(std::wstring_view text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = NextCodePoint(text, i);
        if (c == 0) {
            out += '?';
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
            out += buf;
        } else {
            AppendUtf8(out, c);
        }
    }
    return out + "\"";
}

std::string Seconds(double s) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.3f", s >= 0 ? s : 0);
    return buf;
}

const char* ResultWord(CompileResult r) {
    switch (r) {
        case CompileResult::Succeeded:
            return "succeeded";
        case CompileResult::Failed:
            return "failed";
        case CompileResult::UpToDate:
            return "up-to-date";
        case CompileResult::NotRun:
            return "dependency-not-built";
        case CompileResult::Stopped:
            break;
    }
    return "not-run";
}
}  // namespace

std::string Utf8Text(std::wstring_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = NextCodePoint(text, i);
        if (c == 0) {
            out += '?';
        } else {
            AppendUtf8(out, c);
        }
    }
    return out;
}

namespace {
// "2026-12-08T06:30:01.123Z" for milliseconds since 1970; empty for 0 (nothing ran).
std::string UtcTime(std::int64_t ms) {
    if (ms <= 0) return {};
    const std::int64_t days = ms / 86400000, inDay = ms % 86400000;
    // Civil date from days since 1970-01-01 (Howard Hinnant's algorithm).
    const std::int64_t z = days + 719468, era = z / 146097, doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153, d = doy - (153 * mp + 2) / 5 + 1;
    const std::int64_t m = mp < 10 ? mp + 3 : mp - 9, y = yoe + era * 400 + (m <= 2 ? 1 : 0);
    char buf[96];
    std::snprintf(buf, sizeof buf, "%04lld-%02lld-%02lldT%02lld:%02lld:%02lld.%03lldZ",
                  static_cast<long long>(y), static_cast<long long>(m), static_cast<long long>(d),
                  static_cast<long long>(inDay / 3600000),
                  static_cast<long long>(inDay / 60000 % 60),
                  static_cast<long long>(inDay / 1000 % 60), static_cast<long long>(inDay % 1000));
    return buf;
}
std::string JsonTime(std::int64_t ms) {
    const std::string t = UtcTime(ms);
    return t.empty() ? "null" : "\"" + t + "\"";
}
}  // namespace

std::string JUnitReport(const std::vector<CompiledEntry>& entries, const std::wstring& suite) {
    CompileCounts counts;
    double total = 0;
    for (const auto& e : entries) {
        counts.Add(e.outcome.result);
        total += e.outcome.seconds;
    }
    const std::string n = std::to_string(entries.size());
    const std::string attrs = " tests=\"" + n + "\" failures=\"" + std::to_string(counts.failed) +
                              "\" errors=\"0\" skipped=\"" +
                              std::to_string(counts.stopped + counts.upToDate + counts.notRun) +
                              "\" time=\"" + Seconds(total) + "\"";
    std::string x = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites" + attrs +
                    ">\n  <testsuite name=\"" + Xml(suite) + "\"" + attrs + ">\n";
    for (const auto& e : entries) {
        x += "    <testcase classname=\"" + Xml(suite) + "\" name=\"" + Xml(e.path) + "\" time=\"" +
             Seconds(e.outcome.seconds) + "\"";
        if (e.outcome.result == CompileResult::Succeeded) {
            x += "/>\n";
            continue;
        }
        x += ">\n";
        if (e.outcome.result == CompileResult::Failed) {
            std::wstring body;
            for (const auto& line : e.outcome.errorLines) body += line + L"\n";
            if (!e.outcome.logPath.empty()) body += L"log: " + e.outcome.logPath + L"\n";
            x += "      <failure message=\"" + Xml(e.outcome.firstError) + "\" type=\"compile\">" +
                 Xml(body) + "</failure>\n";
        } else if (e.outcome.result == CompileResult::UpToDate) {
            x += "      <skipped message=\"up to date\"/>\n";
        } else if (e.outcome.result == CompileResult::NotRun) {
            x += "      <skipped message=\"" + Xml(e.outcome.reason) + "\"/>\n";
        } else {
            x += "      <skipped message=\"not compiled\"/>\n";
        }
        x += "    </testcase>\n";
    }
    return x + "  </testsuite>\n</testsuites>\n";
}

std::string JsonReport(const std::vector<CompiledEntry>& entries, const std::wstring& vb) {
    CompileCounts counts;
    std::string j = "{\n  \"vb\": " + Json(vb) + ",\n  \"results\": [";
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const CompiledEntry& e = entries[i];
        counts.Add(e.outcome.result);
        j += i == 0 ? "\n" : ",\n";
        j += "    {\"path\": " + Json(e.path) + ", \"result\": \"" + ResultWord(e.outcome.result) +
             "\", \"seconds\": " + Seconds(e.outcome.seconds) +
             ", \"start\": " + JsonTime(e.outcome.startMs) +
             ", \"end\": " + JsonTime(e.outcome.endMs) + ", \"log\": " + Json(e.outcome.logPath) +
             ", \"reason\": " + Json(e.outcome.reason) +
             ", \"reasonCode\": " + Json(e.outcome.reasonCode) +
             ", \"code\": " + Json(e.outcome.code) +
             ", \"firstError\": " + Json(e.outcome.firstError) + ", \"errors\": [";
        for (std::size_t k = 0; k < e.outcome.errorLines.size(); ++k)
            j += (k == 0 ? "" : ", ") + Json(e.outcome.errorLines[k]);
        j += "], \"warnings\": [";
        for (std::size_t k = 0; k < e.outcome.warnings.size(); ++k)
            j += (k == 0 ? "" : ", ") + Json(e.outcome.warnings[k]);
        j += "]}";
    }
    j += entries.empty() ? "],\n" : "\n  ],\n";
    j += "  \"succeeded\": " + std::to_string(counts.succeeded) +
         ",\n  \"failed\": " + std::to_string(counts.failed) +
         ",\n  \"upToDate\": " + std::to_string(counts.upToDate) +
         ",\n  \"dependencyNotBuilt\": " + std::to_string(counts.notRun) +
         ",\n  \"notRun\": " + std::to_string(counts.stopped) + "\n}\n";
    return j;
}

}  // namespace kinoha
