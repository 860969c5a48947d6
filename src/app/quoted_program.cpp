#include "app/quoted_program.h"

#include "app/text_helpers.h"
#include "platform/platform.h"

namespace kinoha {

std::wstring QuotedProgram(const std::wstring& setting) {
    if (setting.empty() || setting.front() == L'"') return setting;
    if (platform::LookupFile(setting)) return L"\"" + setting + L"\"";
    const std::int32_t p = FindUpper(setting, L".EXE ");
    if (p <= 0) return setting;
    const std::size_t end = static_cast<std::size_t>(p + 3);
    const std::wstring program = setting.substr(0, end);
    if (!platform::LookupFile(program)) return setting;
    return L"\"" + program + L"\"" + setting.substr(end);
}

}  // namespace kinoha
