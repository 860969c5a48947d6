#include "info/win_version.h"

namespace kinoha {
namespace {
constexpr wchar_t kOlderKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr wchar_t kNtKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

// The value's text as read, NUL characters included; empty when it is missing, has size 0 or
// is not a REG_SZ.
std::wstring ReadString(platform::RegistryReader& registry, const wchar_t* key,
                        const wchar_t* value) {
    if (!registry.OpenKey(key)) return {};
    std::uint32_t type = 0, size = 0;
    std::string probe;
    if (!registry.QueryValue(value, type, size, probe) || size == 0) {
        registry.CloseKey();
        return {};
    }
    std::string buffer(size, '\0');
    std::uint32_t readSize = size;
    registry.QueryValue(value, type, readSize, buffer);
    registry.CloseKey();
    return type == platform::kRegSz ? platform::DecodeAnsi(buffer) : std::wstring();
}

std::wstring UpToNul(const std::wstring& r) {
    return r.substr(0, r.find(L'\0'));
}
}  // namespace

std::wstring GetWinProductName(platform::RegistryReader& registry) {
    return UpToNul(ReadString(registry, kNtKey, L"ProductName"));
}

std::wstring GetWinVersion(platform::RegistryReader& registry) {
    const std::wstring r = ReadString(registry, kOlderKey, L"Version");
    // A REG_SZ holding only its NUL is not empty here: it gives "" without asking the NT key.
    if (!r.empty()) return UpToNul(r);
    return GetWinProductName(registry);
}

std::wstring GetWinVersion() {
    auto registry = platform::SystemRegistry();
    return GetWinVersion(*registry);
}

std::wstring GetWinProductName() {
    auto registry = platform::SystemRegistry();
    return GetWinProductName(*registry);
}

}  // namespace kinoha
