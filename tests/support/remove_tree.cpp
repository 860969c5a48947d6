// Removing a test's folder: links are removed, never followed, and on Windows paths past 260
// characters are removed too.
#ifdef _WIN32
#include <windows.h>
#endif

#include <filesystem>

#include "support/test_files.h"

namespace kinoha::test {

#ifdef _WIN32
namespace {
void RemoveLong(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
        SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        DeleteFileW(path.c_str());
        return;
    }
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = data.cFileName;
                if (name != L"." && name != L"..") RemoveLong(path + L"\\" + name);
            } while (FindNextFileW(find, &data));
            FindClose(find);
        }
    }
    // A link to a directory goes as a directory, its target untouched.
    if (!RemoveDirectoryW(path.c_str())) DeleteFileW(path.c_str());
}
}  // namespace

void RemoveTree(const std::wstring& path) {
    if (path.empty()) return;
    RemoveLong(path.rfind(L"\\\\?\\", 0) == 0 ? path : L"\\\\?\\" + path);
}
#else
void RemoveTree(const std::wstring& path) {
    std::wstring p = path;
    for (auto& c : p) {
        if (c == L'\\') c = L'/';
    }
    namespace fs = std::filesystem;
    std::error_code ec;
    // Read-only files left by a test must not keep the folder.
    for (auto it = fs::recursive_directory_iterator(fs::path(Utf8(p)), ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, ec);
    }
    fs::remove_all(fs::path(Utf8(p)), ec);  // symbolic links are removed, not followed
}
#endif

}  // namespace kinoha::test
