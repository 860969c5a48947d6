// vb-standin.exe: a TEST DOUBLE for the VB executable, used by the tests and the demo. It
// compiles nothing; it only honours VB's command line:
//   vb-standin "project"                      records the command line and ends
//   vb-standin /make "file" [/outdir "dir"] [/out "log"]
//                                             writes a placeholder file where each project's
//                                             executable would go and, with /out, a log in the
//                                             ANSI code page as VB writes one
// Every command line is appended to vb-standin.log beside the program (UTF-8, one per line).
// What a /make does is told by the test: a file beside the project named like it with
// ".standin" added (App.vbp.standin), or else the environment variable KINOHA_STANDIN_MODE, holds
// one or more of these words:
//   fail        error lines and a failure line in the log, exit code 1, no output file
//   unchanged   a success line in the log, but the output file is left as it is
//   exit        ends at once: no log, no output, exit code 0
//   crash       ends as a crashed process does: nothing written, exit code 0xC0000005
//   wait N      takes N seconds (also KINOHA_STANDIN_WAIT_MS, in milliseconds)
//   biglog N    N megabytes of other lines in the log before the verdict
//   noverdict   a log without a verdict ("File not found: '...'", twice), exit code 1
//   foreign     a success in words Kinoha does not know: exit code 0, the output written
//   dialog      a modal message box that stays until it is closed, as VB shows on load errors
//   forever     never ends
//   child       starts a copy of itself that shows the modal box, and waits for it (a VB whose
//               box comes from a process it started)
// As VB does (the public record): the success line names ExeName32's value only; a project
// without ExeName32 builds Name plus the extension of its Type; an /outdir that does not exist
// fails the build; AutoIncrementVer=1 raises RevisionVer= and saves the project file after the
// build.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "app/text_helpers.h"
#include "catalogue/group_file.h"
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

// The file name VB builds: ExeName32's value, or Name with the extension of the Type.
std::wstring OutputName(const std::vector<std::wstring>& lines) {
    const std::wstring exe = QuotedValue(lines, L"ExeName32=");
    if (!exe.empty()) return exe;
    const std::wstring name = QuotedValue(lines, L"Name="), type = QuotedValue(lines, L"Type=");
    if (name.empty()) return {};
    if (type == L"Exe" || type == L"OleExe") return name + L".exe";
    if (type == L"OleDll") return name + L".dll";
    if (type == L"Control") return name + L".ocx";
    return {};
}

// With AutoIncrementVer=1 VB raises RevisionVer= and saves the project file after a build.
void WriteBack(const std::wstring& project) {
    std::vector<std::wstring> lines;
    if (!platform::ReadTextLines(project, lines)) return;
    if (QuotedValue(lines, L"AutoIncrementVer=") != L"1") return;
    for (auto& line : lines) {
        if (line.rfind(L"RevisionVer=", 0) == 0)
            line = L"RevisionVer=" + std::to_wstring(_wtoi(line.c_str() + 12) + 1);
    }
    platform::WriteTextLines(project, lines);
}

// Where the project's executable goes; empty when it names none.
std::wstring ExePath(const std::wstring& project, const std::wstring& outdir) {
    std::vector<std::wstring> lines;
    if (!platform::ReadTextLines(project, lines)) return {};
    const std::wstring exe = OutputName(lines);
    if (exe.empty()) return {};
    std::wstring dir = outdir;
    if (dir.empty()) {
        const std::wstring folder = FolderOf(project);
        const std::wstring path32 = QuotedValue(lines, L"Path32=");
        dir = path32.empty() ? folder : PathFromFolder(folder, path32);
    }
    if (dir.size() > 2 && dir.compare(dir.size() - 2, 2, L"\\.") == 0) dir.resize(dir.size() - 2);
    if (!dir.empty() && dir.back() == L'\\') dir.pop_back();
    return dir + L"\\" + exe;
}

struct Mode {
    bool fail = false, unchanged = false, exitAtOnce = false, crash = false;
    bool noVerdict = false, foreign = false, dialog = false, forever = false, child = false;
    int waitSeconds = 0, bigLogMb = 0;
};

void ReadWords(const std::wstring& text, Mode& m) {
    std::wistringstream words(text);
    std::wstring w;
    while (words >> w) {
        if (w == L"fail") m.fail = true;
        if (w == L"unchanged") m.unchanged = true;
        if (w == L"exit") m.exitAtOnce = true;
        if (w == L"crash") m.crash = true;
        if (w == L"noverdict") m.noVerdict = true;
        if (w == L"foreign") m.foreign = true;
        if (w == L"dialog") m.dialog = true;
        if (w == L"forever") m.forever = true;
        if (w == L"child") m.child = true;
        if (w == L"wait") words >> m.waitSeconds;
        if (w == L"biglog") words >> m.bigLogMb;
    }
}

Mode ModeFor(const std::vector<std::wstring>& projects, const std::wstring& file) {
    Mode m;
    ReadWords(platform::EnvironmentValue(L"KINOHA_STANDIN_MODE"), m);
    std::vector<std::wstring> marked = projects;
    marked.push_back(file);
    for (const auto& p : marked) {
        std::vector<std::wstring> lines;
        if (!platform::ReadTextLines(p + L".standin", lines)) continue;
        for (const auto& line : lines) ReadWords(line, m);
    }
    return m;
}

void WriteAnsiLog(const std::wstring& path, const std::vector<std::wstring>& lines, int bigMb) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    const std::string filler(1023, '#');
    for (int i = 0; i < bigMb * 1024; ++i) {
        WriteFile(file, filler.data(), static_cast<DWORD>(filler.size()), &written, nullptr);
        WriteFile(file, "\n", 1, &written, nullptr);
    }
    for (const auto& line : lines) {
        const std::string bytes = platform::EncodeAnsi(line) + "\r\n";
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }
    CloseHandle(file);
}
}  // namespace

constexpr char kHelp[] =
    "vb-standin: a TEST DOUBLE for the VB executable (VB6.EXE), for Kinoha's tests and demo.\n"
    "It compiles nothing. It records every command line in vb-standin.log beside itself.\n"
    "  vb-standin \"project\"                        ends at once\n"
    "  vb-standin /make \"file\" [/outdir \"dir\"] [/out \"log\"]\n"
    "      writes a placeholder where each project's executable goes and, with /out, a log\n"
    "      in the ANSI code page with the lines VB writes\n"
    "A file beside the project named like it plus \".standin\", or the environment variable\n"
    "KINOHA_STANDIN_MODE, holds words that change what /make does:\n"
    "  fail        error lines and a failure line in the log, exit code 1, no output\n"
    "  unchanged   a success line in the log, the output file left as it is\n"
    "  exit        ends at once: no log, no output, exit code 0\n"
    "  crash       ends as a crashed process does: exit code 0xC0000005, nothing written\n"
    "  wait N      takes N seconds (KINOHA_STANDIN_WAIT_MS: milliseconds)\n"
    "  biglog N    N megabytes of other lines in the log before the verdict\n"
    "  noverdict   a log without a verdict (\"File not found: '...'\"), exit code 1\n"
    "  foreign     a success in other words: exit code 0, the output written\n"
    "  dialog      a modal message box that stays until it is closed\n"
    "  forever     never ends\n"
    "  child       a copy of itself shows the modal box; waits for it\n";

int wmain() {
    AppendLog(GetCommandLineW());
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc == 2 && (wcscmp(argv[1], L"/?") == 0 || wcscmp(argv[1], L"--help") == 0)) {
        std::fputs(kHelp, stdout);
        LocalFree(argv);
        return 0;
    }
    std::wstring file, outdir, log;
    bool make = false;
    for (int i = 1; i < argc; ++i) {
        const std::wstring a = argv[i];
        if (_wcsicmp(a.c_str(), L"/make") == 0) {
            make = true;
        } else if (_wcsicmp(a.c_str(), L"/outdir") == 0 && i + 1 < argc) {
            outdir = argv[++i];
        } else if (_wcsicmp(a.c_str(), L"/out") == 0 && i + 1 < argc) {
            log = argv[++i];
        } else if (file.empty()) {
            file = a;
        }
    }
    LocalFree(argv);
    if (!make) return 0;

    const std::wstring upper = UpperAscii(file);
    const bool group = upper.size() > 4 && upper.compare(upper.size() - 4, 4, L".VBG") == 0;
    const std::vector<std::wstring> projects =
        group ? GroupProjects(file) : std::vector<std::wstring>{file};
    const Mode mode = ModeFor(projects, file);
    if (mode.exitAtOnce) return 0;
    if (mode.crash) return static_cast<int>(0xC0000005u);
    wchar_t wait[32] = {};
    if (GetEnvironmentVariableW(L"KINOHA_STANDIN_WAIT_MS", wait, 32) > 0) Sleep(_wtoi(wait));
    Sleep(static_cast<DWORD>(mode.waitSeconds) * 1000);
    if (mode.forever) Sleep(INFINITE);
    if (mode.child && platform::EnvironmentValue(L"KINOHA_STANDIN_CHILD").empty()) {
        // The copy is told by the environment that it is the child, and shows the box.
        SetEnvironmentVariableW(L"KINOHA_STANDIN_CHILD", L"1");
        SetEnvironmentVariableW(L"KINOHA_STANDIN_MODE", L"dialog");
        std::wstring self(MAX_PATH, L'\0');
        self.resize(GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
        std::wstring line = L"\"" + self + L"\" /make \"" + file + L"\"";
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                            &pi))
            return 3;
        CloseHandle(pi.hThread);
        WaitForSingleObject(pi.hProcess, INFINITE);
        CloseHandle(pi.hProcess);
        return 1;
    }
    if (mode.dialog) {
        MessageBoxW(
            nullptr,
            (L"Errors during load. Refer to '" + FolderOf(file) + L"\\frmMain.log' for details.")
                .c_str(),
            L"Microsoft Visual Basic", MB_OK | MB_ICONEXCLAMATION);
        return 1;
    }
    if (mode.noVerdict) {
        const std::wstring line = L"File not found: '" + file + L"'";
        if (!log.empty()) WriteAnsiLog(log, {line, line}, 0);
        return 1;
    }
    // VB's /outdir must name a folder that exists.
    if (!outdir.empty() && GetFileAttributesW(outdir.c_str()) == INVALID_FILE_ATTRIBUTES) return 1;

    std::vector<std::wstring> lines;
    for (const auto& project : projects) {
        // A group member goes to its own folder; /outdir applies to a project compiled alone.
        const std::wstring exe = ExePath(project, group ? std::wstring() : outdir);
        const std::wstring target = exe.empty() ? NameOf(project) : NameOf(exe);
        if (mode.fail) {
            lines.push_back(L"Compile Error in File '" + FolderOf(project) +
                            L"\\Form1.frm', Line 12 : 変数が定義されていません。");
            lines.push_back(L"Build of '" + target + L"' failed.");
            continue;
        }
        if (!exe.empty() && !mode.unchanged) {
            platform::EnsureDirectory(FolderOf(exe));
            platform::ReplaceFileAtomically(exe,
                                            "placeholder written by vb-standin; not a program\r\n");
        }
        lines.push_back(mode.foreign ? L"Compilacion de '" + target + L"' correcta."
                                     : L"Build of '" + target + L"' succeeded.");
        WriteBack(project);
    }
    if (!log.empty()) WriteAnsiLog(log, lines, mode.bigLogMb);
    return mode.fail ? 1 : 0;
}
