#include "platform/win32/win32_path.h"

namespace kinoha::platform::win32 {

std::wstring ApiPath(const std::wstring& path) {
    constexpr std::size_t kLong = 240;  // leave room for a file name appended by the API
    if (path.size() < kLong || path.rfind(L"\\\\?\\", 0) == 0) return path;
    if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') return L"\\\\?\\" + path;
    if (path.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + path.substr(2);
    return path;
}

}  // namespace kinoha::platform::win32
