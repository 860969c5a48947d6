#include "compile/vb_location.h"

namespace kinoha {

std::wstring RegisteredVb6(platform::RegistryReader& registry) {
    static const wchar_t* const kKeys[] = {
        L"SOFTWARE\\WOW6432Node\\Microsoft\\VisualStudio\\6.0\\Setup\\Microsoft Visual Basic",
        L"SOFTWARE\\Microsoft\\VisualStudio\\6.0\\Setup\\Microsoft Visual Basic",
    };
    for (const wchar_t* key : kKeys) {
        if (!registry.OpenKey(key)) continue;
        std::uint32_t type = 0, size = 0;
        std::string data;
        const bool sized = registry.QueryValue(L"ProductDir", type, size, data);
        if (sized && type == platform::kRegSz && size > 0 && size < 32768) {
            data.assign(size, '\0');
            if (registry.QueryValue(L"ProductDir", type, size, data)) {
                data.resize(size < data.size() ? size : data.size());
                while (!data.empty() && data.back() == '\0') data.pop_back();
                std::wstring dir = platform::DecodeAnsi(data);
                while (!dir.empty() && dir.back() == L'\\') dir.pop_back();
                const std::wstring exe = dir + L"\\VB6.EXE";
                if (!dir.empty() && platform::LookupFile(exe)) {
                    registry.CloseKey();
                    return exe;
                }
            }
        }
        registry.CloseKey();
    }
    return {};
}

}  // namespace kinoha
