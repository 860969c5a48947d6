// Splitting a Windows command line, for the platforms that start programs from an argument
// vector rather than from one line.
#include "platform/platform.h"

namespace kinoha::platform {
namespace {

// The C runtime's rules: blanks separate, quotes group, 2n backslashes before a quote give n
// backslashes and the quote toggles grouping, 2n+1 give n and a literal quote.
std::vector<std::wstring> SplitArguments(std::wstring_view text) {
    std::vector<std::wstring> out;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
        if (i >= text.size()) break;
        std::wstring arg;
        bool quoted = false;
        while (i < text.size() && (quoted || (text[i] != L' ' && text[i] != L'\t'))) {
            std::size_t slashes = 0;
            while (i < text.size() && text[i] == L'\\') {
                ++slashes;
                ++i;
            }
            if (i < text.size() && text[i] == L'"') {
                arg.append(slashes / 2, L'\\');
                if (slashes % 2 == 1) {
                    arg += L'"';
                } else if (quoted && i + 1 < text.size() && text[i + 1] == L'"') {
                    arg += L'"';
                    ++i;
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                arg.append(slashes, L'\\');
                if (i < text.size() && (quoted || (text[i] != L' ' && text[i] != L'\t'))) {
                    arg += text[i];
                    ++i;
                }
            }
        }
        out.push_back(std::move(arg));
    }
    return out;
}
}  // namespace

CommandLineParts SplitCommandLine(const std::wstring& commandLine) {
    CommandLineParts parts;
    std::size_t start = 0;
    while (start < commandLine.size() && commandLine[start] == L' ') ++start;
    std::size_t rest = commandLine.size();
    if (start < commandLine.size() && commandLine[start] == L'"') {
        const std::size_t close = commandLine.find(L'"', start + 1);
        const std::size_t end = close == std::wstring::npos ? commandLine.size() : close;
        parts.program = commandLine.substr(start + 1, end - start - 1);
        rest = close == std::wstring::npos ? commandLine.size() : close + 1;
    } else {
        // An unquoted path with blanks: the first prefix that names a file wins.
        std::size_t blank = commandLine.find(L' ', start);
        std::size_t firstBlank = blank;
        bool found = false;
        while (blank != std::wstring::npos) {
            if (LookupFile(commandLine.substr(start, blank - start))) {
                found = true;
                break;
            }
            blank = commandLine.find(L' ', blank + 1);
        }
        const std::size_t end =
            found ? blank
                  : (LookupFile(commandLine.substr(start)) ? std::wstring::npos : firstBlank);
        parts.program = commandLine.substr(start, end == std::wstring::npos ? end : end - start);
        rest = end == std::wstring::npos ? commandLine.size() : end;
    }
    parts.arguments = SplitArguments(std::wstring_view(commandLine).substr(rest));
    return parts;
}

}  // namespace kinoha::platform
