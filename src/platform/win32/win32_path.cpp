#include <windows.h>

#include "platform/win32/win32_path.h"

namespace kinoha::platform::win32 {

std::wstring ApiPath(const std::wstring& path) {
    constexpr std::size_t kLong = 240;  // leave room for a file name appended by the API
    if (path.size() < kLong || path.rfind(L"\\\\?\\", 0) == 0 || path.rfind(L"\\\\.\\", 0) == 0)
        return path;
    // The prefix also turns off the system's own clean-up of a path, so it is done first:
    // "/" to "\", "." and ".." steps applied, a relative path made absolute.
    std::wstring full = path;
    const DWORD need = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (need > 0) {
        std::wstring buf(need, L'\0');
        const DWORD got = GetFullPathNameW(path.c_str(), need, buf.data(), nullptr);
        if (got > 0 && got < need) full = buf.substr(0, got);
    }
    if (full.size() >= 3 && full[1] == L':' && full[2] == L'\\') return L"\\\\?\\" + full;
    if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return full;
}

}  // namespace kinoha::platform::win32
