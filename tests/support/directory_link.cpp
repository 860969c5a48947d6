// Links to directories for the directory-loop tests: a symbolic link on POSIX; on Windows a
// directory symbolic link, or a junction where symbolic links need a privilege, or under Wine
// (which makes neither in its version 8) a symbolic link of the host.
#ifdef _WIN32
#include <windows.h>

#include <winioctl.h>
#else
#include <unistd.h>
#endif

#include <cstddef>
#include <cstring>
#include <vector>

#include "support/test_files.h"

namespace kinoha::test {

#ifdef _WIN32
namespace {
// The mount-point form of the reparse data (the system's own header lies in the driver kit).
struct MountPointReparseBuffer {
    DWORD tag;
    WORD dataLength;
    WORD reserved;
    WORD substituteOffset;
    WORD substituteLength;
    WORD printOffset;
    WORD printLength;
    // the path buffer follows
};

std::string Junction(const std::wstring& link, const std::wstring& target) {
    if (!CreateDirectoryW(link.c_str(), nullptr)) return "CreateDirectoryW failed";
    HANDLE h = CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        RemoveDirectoryW(link.c_str());
        return "the new directory cannot be opened as a reparse point";
    }
    const std::wstring substitute = L"\\??\\" + target;
    const std::size_t pathBytes = (substitute.size() + 1 + target.size() + 1) * sizeof(wchar_t);
    std::vector<unsigned char> buffer(sizeof(MountPointReparseBuffer) + pathBytes);
    MountPointReparseBuffer header{};
    header.tag = IO_REPARSE_TAG_MOUNT_POINT;
    header.dataLength = static_cast<WORD>(8 + pathBytes);
    header.substituteLength = static_cast<WORD>(substitute.size() * sizeof(wchar_t));
    header.printOffset = static_cast<WORD>(header.substituteLength + sizeof(wchar_t));
    header.printLength = static_cast<WORD>(target.size() * sizeof(wchar_t));
    std::memcpy(buffer.data(), &header, sizeof header);
    unsigned char* paths = buffer.data() + sizeof header;
    std::memcpy(paths, substitute.c_str(), (substitute.size() + 1) * sizeof(wchar_t));
    std::memcpy(paths + header.printOffset, target.c_str(), (target.size() + 1) * sizeof(wchar_t));
    DWORD returned = 0;
    const BOOL ok =
        DeviceIoControl(h, FSCTL_SET_REPARSE_POINT, buffer.data(),
                        static_cast<DWORD>(buffer.size()), nullptr, 0, &returned, nullptr);
    const DWORD error = GetLastError();
    CloseHandle(h);
    if (ok) return {};
    RemoveDirectoryW(link.c_str());
    return "FSCTL_SET_REPARSE_POINT failed with error " + std::to_string(error);
}
// Starts a program of the host (under Wine) on the host names of `paths`. Empty when started.
std::string StartOnHost(const wchar_t* program, std::wstring command,
                        const std::vector<std::wstring>& paths) {
    using UnixName = char*(CDECL*)(LPCWSTR);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    if (unixName == nullptr) return "not running under Wine";
    for (const auto& path : paths) {
        char* name = unixName(path.c_str());
        if (name == nullptr) return "no host name for a path";
        wchar_t wide[4096];
        const int n = MultiByteToWideChar(CP_UTF8, 0, name, -1, wide, 4096);
        HeapFree(GetProcessHeap(), 0, name);
        if (n <= 0) return "a host name does not convert";
        command += L" \"" + std::wstring(wide) + L"\"";
    }
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(program, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return "the host's program cannot be started";
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return {};
}

// A host process cannot be waited for through its handle; what it makes or removes can.
bool AwaitExists(const std::wstring& path, bool exists) {
    for (int i = 0; i < 500; ++i) {
        if ((GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) == exists) return true;
        Sleep(10);
    }
    return false;
}

// Under Wine, which may make neither, a symbolic link of the host made by its own ln: what a
// project tree on a Unix drive holds.
std::string HostLink(const std::wstring& link, const std::wstring& target) {
    const std::string why = StartOnHost(L"Z:\\bin\\ln", L"ln -s", {target, link});
    if (!why.empty()) return why;
    return AwaitExists(link, true) ? std::string() : "the host's ln made nothing";
}
}  // namespace

std::string MakeDirectoryLink(const std::wstring& link, const std::wstring& target) {
    constexpr DWORD kUnprivileged = 0x2;  // SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE
    // Some systems (Wine) answer success without making anything: the link must be there.
    const BOOL made = CreateSymbolicLinkW(link.c_str(), target.c_str(),
                                          SYMBOLIC_LINK_FLAG_DIRECTORY | kUnprivileged);
    const DWORD symlinkError = made ? ERROR_SUCCESS : GetLastError();
    const DWORD attributes = GetFileAttributesW(link.c_str());
    if (made && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
        return {};
    const std::string why = Junction(link, target);
    if (why.empty()) return {};
    const std::string host = HostLink(link, target);
    if (host.empty()) return {};
    return "CreateSymbolicLinkW " +
           (made ? std::string("made nothing")
                 : "failed with error " + std::to_string(symlinkError)) +
           "; " + why + "; " + host;
}

void RemoveDirectoryLink(const std::wstring& link) {
    if (RemoveDirectoryW(link.c_str())) return;
    if (StartOnHost(L"Z:\\bin\\rm", L"rm", {link}).empty()) AwaitExists(link, false);
}
#else
std::string MakeDirectoryLink(const std::wstring& link, const std::wstring& target) {
    std::wstring l = link, t = target;
    for (auto* s : {&l, &t}) {
        for (auto& c : *s) {
            if (c == L'\\') c = L'/';
        }
    }
    if (symlink(Utf8(t).c_str(), Utf8(l).c_str()) != 0) return "symlink failed";
    return {};
}

void RemoveDirectoryLink(const std::wstring& link) {
    std::wstring l = link;
    for (auto& c : l) {
        if (c == L'\\') c = L'/';
    }
    unlink(Utf8(l).c_str());
}
#endif

}  // namespace kinoha::test
