#include "app/text_helpers.h"
#include "platform/platform.h"

namespace kinoha {

std::wstring UpperAscii(std::wstring_view text) {
    std::wstring out(text);
    for (wchar_t& c : out) {
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - 32);
    }
    return out;
}

std::int32_t FindUpper(std::wstring_view text, std::wstring_view key) {
    return InStr(1, UpperAscii(text), key);
}

bool FileExists(std::wstring_view path) {
    // A command line: only the program, through its ".EXE", is looked up.
    const std::int32_t p = FindUpper(path, L".EXE ");
    const std::wstring_view file = p > 0 ? path.substr(0, static_cast<std::size_t>(p + 3)) : path;
    return platform::LookupFile(std::wstring(file));
}

}  // namespace kinoha
