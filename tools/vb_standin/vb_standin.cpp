// vb-standin.exe: a test double that honours the VB executable's command line for the tests and
// the demo. It compiles nothing.
//   vb-standin "project"                          records the command line and ends
//   vb-standin /make "project" [/outdir "dir"]    also writes a placeholder file where the
//                                                 project's executable would go
// Every command line is appended to vb-standin.log beside the program (UTF-8, one per line).
// KINOHA_STANDIN_WAIT_MS makes each /make take that long.
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "app/text_helpers.h"
#include "platform/platform.h"

namespace {

using namespace kinoha;

void AppendLog(const std::wstring& line) {
    const std::wstring path = platform::ProgramDirectory() + L"\\vb-standin.log";
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::wstring text = line + L"\r\n";
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), n,
                        nullptr, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// The value between the quotes after `key` in the project's lines, or empty.
std::wstring QuotedValue(const std::vector<std::wstring>& lines, const std::wstring& key) {
    std::wstring value;
    for (const auto& line : lines) {
        if (line.rfind(key, 0) != 0) continue;
        std::wstring v = line.substr(key.size());
        if (!v.empty() && v.front() == L'"') v.erase(0, 1);
        if (!v.empty() && v.back() == L'"') v.pop_back();
        value = v;
    }
    return value;
}

void WritePlaceholder(const std::wstring& project, const std::wstring& outdir) {
    std::vector<std::wstring> lines;
    if (!platform::ReadTextLines(project, lines)) return;
    const std::wstring exe = QuotedValue(lines, L"ExeName32=");
    if (exe.empty()) return;
    std::wstring dir = outdir;
    if (dir.empty()) {
        const std::wstring folder = project.substr(0, project.find_last_of(L'\\'));
        const std::wstring path32 = QuotedValue(lines, L"Path32=");
        dir = path32.empty() ? folder : ResolvePath(folder + L"\\" + path32);
    }
    platform::EnsureDirectory(dir);
    platform::ReplaceFileAtomically(dir + L"\\" + exe,
                                    "placeholder written by vb-standin; not a program\r\n");
}
}  // namespace

int wmain() {
    AppendLog(GetCommandLineW());
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::wstring project, outdir;
    bool make = false;
    for (int i = 1; i < argc; ++i) {
        const std::wstring a = argv[i];
        if (_wcsicmp(a.c_str(), L"/make") == 0) {
            make = true;
        } else if (_wcsicmp(a.c_str(), L"/outdir") == 0 && i + 1 < argc) {
            outdir = argv[++i];
        } else if (project.empty()) {
            project = a;
        }
    }
    LocalFree(argv);
    if (!make) return 0;
    wchar_t wait[32] = {};
    if (GetEnvironmentVariableW(L"KINOHA_STANDIN_WAIT_MS", wait, 32) > 0) Sleep(_wtoi(wait));
    WritePlaceholder(project, outdir);
    return 0;
}
