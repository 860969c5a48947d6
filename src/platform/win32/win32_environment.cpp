// Process environment, code page, event pump and registry on Windows.
#include <windows.h>

#include <psapi.h>

#include <cstdlib>

#include "platform/platform.h"
#include "platform/platform_detail.h"

namespace kinoha::platform {
namespace {

class Win32Registry final : public RegistryReader {
  public:
    ~Win32Registry() override { CloseKey(); }
    bool OpenKey(const std::wstring& subKey) override {
        CloseKey();
        return RegOpenKeyExW(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, KEY_QUERY_VALUE, &key_) ==
               ERROR_SUCCESS;
    }
    bool QueryValue(const std::wstring& name, std::uint32_t& type, std::uint32_t& size,
                    std::string& buffer) override {
        if (key_ == nullptr) return false;
        // The "A" query returns string data in the ANSI code page, as the name is then read.
        const std::string narrow = EncodeAnsi(name);
        DWORD t = 0;
        DWORD s = static_cast<DWORD>(buffer.size());
        const LONG rc =
            RegQueryValueExA(key_, narrow.c_str(), nullptr, &t,
                             buffer.empty() ? nullptr : reinterpret_cast<BYTE*>(buffer.data()), &s);
        if (rc != ERROR_SUCCESS) return false;
        type = t;
        size = s;
        return true;
    }
    void CloseKey() override {
        if (key_ != nullptr) RegCloseKey(key_);
        key_ = nullptr;
    }

  private:
    HKEY key_ = nullptr;
};

std::wstring EnvironmentValue(const wchar_t* name) {
    wchar_t buf[32768];
    const DWORD n = GetEnvironmentVariableW(name, buf, 32768);
    return (n > 0 && n < 32768) ? std::wstring(buf, n) : std::wstring();
}
}  // namespace

std::wstring ProgramPath() {
    std::wstring buf(32768, L'\0');
    const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    buf.resize(n);
    return buf;
}

std::wstring ProgramDirectory() {
    const std::wstring buf = ProgramPath();
    const auto slash = buf.find_last_of(L'\\');
    if (slash == std::wstring::npos) return CurrentDirectory();
    // A drive root keeps its backslash, as the system reports it.
    return buf.substr(0, slash == 2 ? 3 : slash);
}

std::wstring CurrentDirectory() {
    std::wstring buf(32768, L'\0');
    const DWORD n = GetCurrentDirectoryW(static_cast<DWORD>(buf.size()), buf.data());
    buf.resize(n < buf.size() ? n : 0);
    return buf;
}

bool ChangeCurrentDirectory(const std::wstring& directory) {
    return SetCurrentDirectoryW(directory.c_str()) != 0;
}

std::wstring PerUserDirectory() {
    std::wstring base = EnvironmentValue(L"LOCALAPPDATA");
    if (base.empty()) base = EnvironmentValue(L"USERPROFILE") + L"\\AppData\\Local";
    return base + L"\\Kinoha";
}

std::size_t MemoryInUse() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
    return counters.WorkingSetSize;
}

std::unique_ptr<RegistryReader> SystemRegistry() {
    return std::make_unique<Win32Registry>();
}

namespace detail {

void PumpPlatformEvents() {
    // A search asks thousands of times a second; looking at the queue every 10 ms keeps the
    // windows responsive at a fraction of the cost (each look is a server call under Wine).
    static ULONGLONG last = 0;
    const ULONGLONG now = GetTickCount64();
    if (now - last < 10) return;
    last = now;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the main loop
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool BuildCodePage(const std::string& name, CodePageTable& out) {
    UINT cp = GetACP();
    if (!name.empty()) {
        std::string digits = name;
        if (digits.size() > 2 && (digits[0] == 'C' || digits[0] == 'c') &&
            (digits[1] == 'P' || digits[1] == 'p'))
            digits = digits.substr(2);
        if (name == "UTF-8" || name == "utf-8" || name == "UTF8" || name == "utf8")
            cp = CP_UTF8;
        else if (name == "SHIFT_JIS" || name == "Shift_JIS" || name == "SJIS")
            cp = 932;
        else {
            char* end = nullptr;
            const unsigned long v = std::strtoul(digits.c_str(), &end, 10);
            if (end == digits.c_str() || *end != '\0' || !IsValidCodePage(v)) return false;
            cp = static_cast<UINT>(v);
        }
    }
    if (cp == CP_UTF8) {
        out = CodePageTable::Utf8();
        return true;
    }
    out =
        CodePageTable::FromConverter([cp](const unsigned char* bytes, std::size_t n, char32_t& c) {
            wchar_t w[4];
            const int got =
                MultiByteToWideChar(cp, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(bytes),
                                    static_cast<int>(n), w, 4);
            if (got == 1) {
                c = static_cast<char32_t>(w[0]);
                return true;
            }
            if (got == 2 && w[0] >= 0xD800 && w[0] <= 0xDBFF) {
                c = 0x10000 + ((static_cast<char32_t>(w[0]) - 0xD800) << 10) + (w[1] - 0xDC00);
                return true;
            }
            return false;
        });
    return true;
}

}  // namespace detail
}  // namespace kinoha::platform
