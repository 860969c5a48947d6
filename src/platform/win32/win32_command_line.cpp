// Arguments, user paths and terminal text on Windows.
#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <shellapi.h>

#include <vector>

#include "platform/platform.h"
#include "platform/win32/win32_path.h"

namespace kinoha::platform {

std::vector<std::wstring> CommandLineArguments(int, char**) {
    // The narrow argv has lost every character outside the ANSI code page.
    std::vector<std::wstring> args;
    int n = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &n);
    if (argv == nullptr) return args;
    for (int i = 1; i < n; ++i) args.emplace_back(argv[i]);
    LocalFree(argv);
    return args;
}

std::wstring AbsolutePath(const std::wstring& path) {
    std::wstring p = path.empty() ? L"." : path;
    for (auto& c : p) {
        if (c == L'/') c = L'\\';
    }
    const DWORD need = GetFullPathNameW(p.c_str(), 0, nullptr, nullptr);
    if (need == 0) return p;
    std::wstring out(need, L'\0');
    const DWORD got = GetFullPathNameW(p.c_str(), need, out.data(), nullptr);
    if (got == 0 || got >= need) return p;
    out.resize(got);
    // A trailing separator (other than a drive root's) would make the last name empty.
    if (out.size() > 3 && out.back() == L'\\') out.pop_back();
    return out;
}

std::wstring DisplayPath(const std::wstring& path) {
    return path;
}

namespace {
UINT TerminalCodePage() {
    const UINT cp = GetConsoleOutputCP();
    return cp == 0 ? CP_ACP : cp;
}
}  // namespace

bool TerminalShows(std::wstring_view text) {
    const UINT cp = TerminalCodePage();
    if (cp == CP_UTF8 || text.empty()) return true;  // UTF-8 takes no default-character flag
    BOOL replaced = FALSE;
    WideCharToMultiByte(cp, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                        nullptr, 0, nullptr, &replaced);
    return replaced == FALSE;
}

std::string TerminalText(std::wstring_view text) {
    const UINT cp = TerminalCodePage();
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(cp, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(cp, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                            nullptr, nullptr);
    return out;
}

bool HoldStandardStreams() {
    // Handles are not reused as numbers are, so there is no place to hold.
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    return out != nullptr && out != INVALID_HANDLE_VALUE;
}

bool StandardErrorIsTerminal() {
    DWORD mode = 0;  // a console answers; a file, pipe or the NUL device does not
    return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

}  // namespace kinoha::platform
