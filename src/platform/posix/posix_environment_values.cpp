// Environment variables and the temporary folder on POSIX systems.
#include <cstdlib>

#include "platform/platform.h"
#include "platform/posix/posix_path.h"

namespace kinoha::platform {

std::wstring EnvironmentValue(const std::wstring& name) {
    const char* value = std::getenv(posix::WideToName(name).c_str());
    return value != nullptr ? posix::NameToWide(value) : std::wstring();
}

std::wstring TemporaryDirectory() {
    std::wstring dir = EnvironmentValue(L"TMPDIR");
    if (dir.empty() || dir.front() != L'/') dir = L"/tmp";
    while (dir.size() > 1 && dir.back() == L'/') dir.pop_back();
    return dir;
}

}  // namespace kinoha::platform
