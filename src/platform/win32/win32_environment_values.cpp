// Environment variables and the temporary folder on Windows.
#include <windows.h>

#include "platform/platform.h"

namespace kinoha::platform {

std::wstring EnvironmentValue(const std::wstring& name) {
    const DWORD n = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
    if (n == 0) return {};
    std::wstring value(n, L'\0');
    const DWORD got = GetEnvironmentVariableW(name.c_str(), value.data(), n);
    value.resize(got < n ? got : 0);
    return value;
}

std::wstring TemporaryDirectory() {
    wchar_t buf[MAX_PATH + 2] = {};
    const DWORD n = GetTempPathW(MAX_PATH + 1, buf);
    std::wstring dir(buf, n <= MAX_PATH + 1 ? n : 0);
    // A drive root keeps its backslash.
    if (dir.size() > 3 && dir.back() == L'\\') dir.pop_back();
    return dir;
}

}  // namespace kinoha::platform
