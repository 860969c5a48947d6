#include "compile/compile_log.h"

#include "platform/platform.h"

namespace kinoha {
namespace {

// The first `limit` bytes of a line, not cutting a two-byte character in half.
std::string_view Head(std::string_view line, std::size_t limit) {
    if (line.size() <= limit) return line;
    std::size_t i = 0;
    while (i < limit) {
        const std::size_t step = platform::IsLeadByte(static_cast<unsigned char>(line[i])) ? 2 : 1;
        if (i + step > limit) break;
        i += step;
    }
    return line.substr(0, i);
}

std::wstring Trimmed(std::wstring s) {
    while (!s.empty() && (s.back() == L' ' || s.back() == L'\t')) s.pop_back();
    std::size_t start = 0;
    while (start < s.size() && (s[start] == L' ' || s[start] == L'\t')) ++start;
    return s.substr(start);
}

std::wstring LowerAscii(std::wstring s) {
    for (wchar_t& c : s) {
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 32);
    }
    return s;
}

bool EndsWith(const std::wstring& s, const std::wstring& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// The verdict lines end with the word ("Build of 'C:\failed\App.exe' succeeded."), so a
// folder named like the word does not decide; a Japanese VB says it in its own words.
bool SaysSucceeded(const std::wstring& lower) {
    return EndsWith(lower, L"succeeded.") || EndsWith(lower, L"succeeded") ||
           lower.find(L"成功しました") != std::wstring::npos;
}
bool SaysFailed(const std::wstring& lower) {
    return EndsWith(lower, L"failed.") || EndsWith(lower, L"failed") ||
           lower.find(L"失敗しました") != std::wstring::npos;
}
bool IsErrorLine(const std::wstring& lower) {
    return lower.find(L"error") != std::wstring::npos ||
           lower.find(L"エラー") != std::wstring::npos;
}
}  // namespace

CompileLogReading ReadCompileLogBytes(std::string_view bytes, std::size_t maxErrorLines) {
    CompileLogReading r;
    r.read = true;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = bytes.size();
        const std::string_view raw = bytes.substr(pos, end - pos);
        pos = end + 1;
        if (raw.empty()) continue;
        const std::wstring line = Trimmed(platform::DecodeAnsi(Head(raw, kLogLineShown)));
        if (line.empty()) continue;
        if (r.firstLines.size() < kLogFirstLines) r.firstLines.push_back(line);
        const std::wstring lower = LowerAscii(line);
        if (SaysSucceeded(lower) && !SaysFailed(lower)) {
            ++r.succeeded;
        } else if (SaysFailed(lower)) {
            if (r.failureLine.empty()) r.failureLine = line;
        } else if (IsErrorLine(lower) && r.errorLines.size() < maxErrorLines) {
            r.errorLines.push_back(line);
        }
    }
    return r;
}

CompileLogReading ReadCompileLog(const std::wstring& path, std::size_t maxErrorLines) {
    std::string bytes;
    if (!platform::ReadFileBytes(path, bytes)) return {};
    return ReadCompileLogBytes(bytes, maxErrorLines);
}

}  // namespace kinoha
