// Starting programs and opening documents on Windows.
#include <windows.h>

#include <shellapi.h>

#include "platform/platform.h"
#include "platform/win32/win32_path.h"

namespace kinoha::platform {
namespace {

// CreateProcessW may write into the command line, so it gets its own copy.
bool Create(const std::wstring& commandLine, PROCESS_INFORMATION& pi) {
    std::wstring line = commandLine;
    line.push_back(L'\0');
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    return CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                          &pi) != 0;
}
}  // namespace

bool StartCommandLine(const std::wstring& commandLine) {
    PROCESS_INFORMATION pi{};
    if (!Create(commandLine, pi)) return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return pi.dwProcessId != 0;
}

bool RunCommandLineAndWait(const std::wstring& commandLine, std::uint32_t* exitCode) {
    PROCESS_INFORMATION pi{};
    if (!Create(commandLine, pi)) return false;
    CloseHandle(pi.hThread);
    // Sleeps until the process ends or a window message is waiting; messages are handled then.
    for (;;) {
        const DWORD r =
            MsgWaitForMultipleObjectsEx(1, &pi.hProcess, 10, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (r == WAIT_OBJECT_0) break;
        if (r == WAIT_FAILED) {
            CloseHandle(pi.hProcess);
            return false;
        }
        PumpEvents();
    }
    DWORD code = 0;
    const bool known = GetExitCodeProcess(pi.hProcess, &code) != 0;
    CloseHandle(pi.hProcess);
    if (exitCode != nullptr) *exitCode = static_cast<std::uint32_t>(code);
    return known;
}

int ShellOpen(void* ownerWindow, const std::wstring& file, const std::wstring& directory) {
    const auto r = reinterpret_cast<INT_PTR>(
        ShellExecuteW(static_cast<HWND>(ownerWindow), nullptr, file.c_str(), nullptr,
                      directory.empty() ? nullptr : directory.c_str(), SW_SHOWNORMAL));
    return static_cast<int>(r);
}

}  // namespace kinoha::platform
