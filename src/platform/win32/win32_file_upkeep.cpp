// Write stamps and removal of files and folders on Windows.
#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/win32_path.h"

namespace kinoha::platform {

bool FileWriteStamp(const std::wstring& path, std::uint64_t& stamp) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(win32::ApiPath(path).c_str(), GetFileExInfoStandard, &data))
        return false;
    stamp = (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
            data.ftLastWriteTime.dwLowDateTime;
    return true;
}

std::uint64_t WriteStampNow(int secondsAhead) {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const std::uint64_t stamp =
        (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return stamp + static_cast<std::uint64_t>(static_cast<std::int64_t>(secondsAhead) * 10'000'000);
}

bool RemoveFile(const std::wstring& path) {
    const std::wstring api = win32::ApiPath(path);
    const DWORD attrs = GetFileAttributesW(api.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES) return true;
    return (attrs & FILE_ATTRIBUTE_DIRECTORY) == 0 && DeleteFileW(api.c_str()) != 0;
}

bool RemoveEmptyDirectory(const std::wstring& directory) {
    const std::wstring api = win32::ApiPath(directory);
    if (GetFileAttributesW(api.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
    return RemoveDirectoryW(api.c_str()) != 0;
}

}  // namespace kinoha::platform
