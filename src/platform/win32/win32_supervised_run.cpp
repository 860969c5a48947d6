// A run that cannot hang the program: the process and what it starts go into a job object, and
// a dialog box one of them shows, or a time limit, ends them all.
#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <set>
#include <vector>

#include "platform/platform.h"

namespace kinoha::platform {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kDialogLook = std::chrono::milliseconds(500);

struct OwnedHandle {
    HANDLE h = nullptr;
    OwnedHandle() = default;
    explicit OwnedHandle(HANDLE handle) : h(handle) {}
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    ~OwnedHandle() {
        if (h != nullptr && h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};

std::wstring SystemMessage(DWORD code) {
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    std::wstring message = text != nullptr ? text : L"";
    if (text != nullptr) LocalFree(text);
    while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' ||
                                message.back() == L' '))
        message.pop_back();
    return message;
}

bool SameName(const std::wstring& entry, const std::wstring& name) {
    if (entry.size() <= name.size() || entry[name.size()] != L'=') return false;
    return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, entry.c_str(),
                          static_cast<int>(name.size()), name.c_str(),
                          static_cast<int>(name.size())) == CSTR_EQUAL;
}

// The program's environment with the run's variables set over it, as CreateProcessW takes it.
std::wstring EnvironmentBlock(const std::vector<std::pair<std::wstring, std::wstring>>& extra) {
    std::vector<std::wstring> entries;
    if (wchar_t* env = GetEnvironmentStringsW()) {
        for (const wchar_t* p = env; *p != L'\0'; p += wcslen(p) + 1) entries.emplace_back(p);
        FreeEnvironmentStringsW(env);
    }
    for (const auto& [name, value] : extra) {
        entries.erase(std::remove_if(entries.begin(), entries.end(),
                                     [&](const std::wstring& e) { return SameName(e, name); }),
                      entries.end());
        entries.push_back(name + L"=" + value);
    }
    std::wstring block;
    for (const auto& e : entries) {
        block += e;
        block += L'\0';
    }
    block += L'\0';
    return block;
}

// The processes of the run: those of the job, or, without one, the process and its descendants.
std::set<DWORD> RunProcesses(HANDLE job, DWORD root) {
    std::set<DWORD> ids{root};
    if (job != nullptr) {
        std::vector<char> buffer(sizeof(JOBOBJECT_BASIC_PROCESS_ID_LIST) + 255 * sizeof(ULONG_PTR));
        auto* list = reinterpret_cast<JOBOBJECT_BASIC_PROCESS_ID_LIST*>(buffer.data());
        if (QueryInformationJobObject(job, JobObjectBasicProcessIdList, list,
                                      static_cast<DWORD>(buffer.size()), nullptr)) {
            for (DWORD i = 0; i < list->NumberOfProcessIdsInList; ++i)
                ids.insert(static_cast<DWORD>(list->ProcessIdList[i]));
            return ids;
        }
    }
    OwnedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (snapshot.h == INVALID_HANDLE_VALUE) return ids;
    std::vector<PROCESSENTRY32W> all;
    PROCESSENTRY32W e{};
    e.dwSize = sizeof e;
    for (BOOL more = Process32FirstW(snapshot.h, &e); more; more = Process32NextW(snapshot.h, &e))
        all.push_back(e);
    for (bool grew = true; grew;) {
        grew = false;
        for (const auto& p : all) {
            if (ids.count(p.th32ParentProcessID) != 0 && ids.insert(p.th32ProcessID).second)
                grew = true;
        }
    }
    return ids;
}

std::wstring TextOf(HWND window) {
    wchar_t text[1024] = {};
    DWORD_PTR copied = 0;
    // A window of another process: its text is asked for, and a hung one is not waited on.
    if (!SendMessageTimeoutW(window, WM_GETTEXT, ARRAYSIZE(text), reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG | SMTO_BLOCK, 500, &copied))
        return {};
    text[std::min<DWORD_PTR>(copied, ARRAYSIZE(text) - 1)] = L'\0';
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, ARRAYSIZE(name));
    return name;
}

struct DialogSearch {
    const std::set<DWORD>* processes;
    HWND found = nullptr;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<DialogSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (search->processes->count(pid) == 0 || !IsWindowVisible(window)) return TRUE;
    if (ClassOf(window) != L"#32770") return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK ReadControl(HWND control, LPARAM param) {
    auto* end = reinterpret_cast<SupervisedEnd*>(param);
    const std::wstring kind = ClassOf(control);
    std::wstring text = TextOf(control);
    if (text.empty() || !IsWindowVisible(control)) return TRUE;
    if (kind == L"Button") {
        text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
        end->dialogButtons.push_back(std::move(text));
    } else if (kind == L"Static" || kind == L"Edit") {
        end->dialogTexts.push_back(std::move(text));
    }
    return TRUE;
}

// Ends every process of the run and waits (a little) for the process to be gone.
void EndRun(HANDLE job, HANDLE process, DWORD root) {
    if (job != nullptr) {
        TerminateJobObject(job, 1);
    } else {
        for (const DWORD id : RunProcesses(nullptr, root)) {
            OwnedHandle p(OpenProcess(PROCESS_TERMINATE, FALSE, id));
            if (p.h != nullptr) TerminateProcess(p.h, 1);
        }
    }
    WaitForSingleObject(process, 5000);
}
}  // namespace

SupervisedEnd RunSupervised(const std::wstring& commandLine, const SupervisedRun& how) {
    SupervisedEnd end;
    std::wstring line = commandLine;
    line.push_back(L'\0');
    std::wstring environment = EnvironmentBlock(how.environment);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE,
                        CREATE_SUSPENDED | CREATE_UNICODE_ENVIRONMENT, environment.data(), nullptr,
                        &si, &pi)) {
        end.error = GetLastError();
        end.errorText = SystemMessage(end.error);
        return end;
    }
    OwnedHandle process(pi.hProcess), thread(pi.hThread);
    // A job ends everything the process starts. Windows 7 puts no job in a job: a Kinoha that
    // runs in one (some CI agents) ends the process tree it finds instead.
    OwnedHandle job(CreateJobObjectW(nullptr, nullptr));
    if (job.h != nullptr) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job.h, JobObjectExtendedLimitInformation, &limits, sizeof limits);
        if (!AssignProcessToJobObject(job.h, process.h)) {
            CloseHandle(job.h);
            job.h = nullptr;
        }
    }
    ResumeThread(thread.h);

    const auto start = Clock::now();
    auto nextLook = start + kDialogLook;
    for (;;) {
        const DWORD r =
            MsgWaitForMultipleObjectsEx(1, &process.h, 100, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (r == WAIT_OBJECT_0) {
            DWORD code = 0;
            end.how = GetExitCodeProcess(process.h, &code) ? SupervisedEnd::How::Exited
                                                           : SupervisedEnd::How::Lost;
            end.exitCode = code;
            break;
        }
        if (r == WAIT_FAILED) {
            end.how = SupervisedEnd::How::Lost;
            break;
        }
        PumpEvents();
        const auto now = Clock::now();
        if (how.timeLimit.count() > 0 && now - start >= how.timeLimit) {
            end.how = SupervisedEnd::How::TimedOut;
            break;
        }
        if (how.endOnDialog && now >= nextLook) {
            nextLook = now + kDialogLook;
            const std::set<DWORD> ids = RunProcesses(job.h, pi.dwProcessId);
            DialogSearch search{&ids};
            EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
            if (search.found != nullptr) {
                end.how = SupervisedEnd::How::Dialog;
                end.dialogTitle = TextOf(search.found);
                EnumChildWindows(search.found, ReadControl, reinterpret_cast<LPARAM>(&end));
                break;
            }
        }
    }
    // What the process started and left behind ends with it.
    EndRun(job.h, process.h, pi.dwProcessId);
    return end;
}

}  // namespace kinoha::platform
