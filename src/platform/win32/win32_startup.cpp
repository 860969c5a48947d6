// The user's start-up entry on Windows: a value of the per-user Run key.
#include <windows.h>

#include "platform/platform.h"

namespace kinoha::platform {
namespace {
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kValue[] = L"Kinoha";

std::wstring Unquoted(std::wstring text) {
    if (text.size() >= 2 && text.front() == L'"') {
        const auto close = text.find(L'"', 1);
        return text.substr(1, close == std::wstring::npos ? std::wstring::npos : close - 1);
    }
    return text;
}
}  // namespace

bool StartsAtLogon(const std::wstring& program) {
    wchar_t data[4096];
    DWORD size = sizeof data;
    if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, kValue, RRF_RT_REG_SZ, nullptr, data, &size) !=
        ERROR_SUCCESS)
        return false;
    const std::wstring named = Unquoted(data);
    return CompareStringOrdinal(named.c_str(), static_cast<int>(named.size()), program.c_str(),
                                static_cast<int>(program.size()), TRUE) == CSTR_EQUAL;
}

bool SetStartsAtLogon(const std::wstring& program, bool on) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    LONG rc;
    if (on) {
        // Quoted, as the system splits an unquoted path with blanks.
        const std::wstring command = L"\"" + program + L"\"";
        rc = RegSetValueExW(key, kValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                            static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    } else {
        rc = RegDeleteValueW(key, kValue);
        if (rc == ERROR_FILE_NOT_FOUND) rc = ERROR_SUCCESS;
    }
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

}  // namespace kinoha::platform
