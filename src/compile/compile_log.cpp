#include "compile/compile_log.h"

#include <algorithm>

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

namespace {
// One line of the log, whole or as its first bytes.
void ReadLine(std::string_view raw, std::size_t maxErrorLines, CompileLogReading& r) {
    if (raw.empty()) return;
    const std::wstring line = Trimmed(platform::DecodeAnsi(Head(raw, kLogLineShown)));
    if (line.empty()) return;
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
}  // namespace

CompileLogReading ReadCompileLogBytes(std::string_view bytes, std::size_t maxErrorLines) {
    CompileLogReading r;
    r.read = true;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = bytes.size();
        ReadLine(bytes.substr(pos, end - pos), maxErrorLines, r);
        pos = end + 1;
    }
    return r;
}

CompileLogReading ReadCompileLog(const std::wstring& path, std::size_t maxErrorLines) {
    // In blocks, a line kept only up to what is shown of it: memory stays bounded whatever the
    // log's size.
    CompileLogReading r;
    std::string line;
    bool cut = false;
    const bool read = platform::ReadFileBlocks(
        path,
        [&] {
            r = {};
            line.clear();
            cut = false;
        },
        [&](std::string_view block) {
            std::size_t pos = 0;
            while (pos < block.size()) {
                const std::size_t end = block.find_first_of("\r\n", pos);
                const std::size_t stop = end == std::string_view::npos ? block.size() : end;
                const std::string_view piece = block.substr(pos, stop - pos);
                // Two more bytes than shown, so that a character cut at the edge stays whole.
                if (!cut)
                    line.append(piece.substr(
                        0, std::min(piece.size(),
                                    kLogLineShown + 2 - std::min(line.size(), kLogLineShown + 2))));
                cut = line.size() >= kLogLineShown + 2;
                if (end == std::string_view::npos) break;
                ReadLine(line, maxErrorLines, r);
                line.clear();
                cut = false;
                pos = end + 1;
            }
            return true;
        });
    if (!read) return {};
    ReadLine(line, maxErrorLines, r);
    r.read = true;
    return r;
}

}  // namespace kinoha
