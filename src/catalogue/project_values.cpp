#include "catalogue/project_values.h"

#include "app/text_helpers.h"

namespace kinoha::project_values {

std::wstring FolderOf(std::wstring_view path) {
    std::int32_t position = 0, count = 0;
    SearchString(1, path, L"\\", position, count);
    return std::wstring(path.substr(0, static_cast<std::size_t>(position)));
}

bool IsAbsolute(std::wstring_view value) {
    if (value.size() >= 2 && value[0] == L'\\' && value[1] == L'\\') return true;
    const bool letter = value.size() >= 3 && ((value[0] >= L'A' && value[0] <= L'Z') ||
                                              (value[0] >= L'a' && value[0] <= L'z'));
    return letter && value[1] == L':' && (value[2] == L'\\' || value[2] == L'/');
}

std::optional<std::wstring> QuotedValue(const std::wstring& line, std::size_t from) {
    if (line.size() < from) return std::nullopt;
    return line.substr(from - 1, line.size() - from);
}

}  // namespace kinoha::project_values
