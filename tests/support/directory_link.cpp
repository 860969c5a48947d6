// Links to directories for the directory-loop tests: a symbolic link on POSIX; on Windows a
// directory symbolic link, or a junction where symbolic links need a privilege.
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
}  // namespace

std::string MakeDirectoryLink(const std::wstring& link, const std::wstring& target) {
    constexpr DWORD kUnprivileged = 0x2;  // SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE
    if (CreateSymbolicLinkW(link.c_str(), target.c_str(),
                            SYMBOLIC_LINK_FLAG_DIRECTORY | kUnprivileged))
        return {};
    const DWORD symlinkError = GetLastError();
    const std::string why = Junction(link, target);
    if (why.empty()) return {};
    return "CreateSymbolicLinkW failed with error " + std::to_string(symlinkError) + "; " + why;
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
#endif

}  // namespace kinoha::test
