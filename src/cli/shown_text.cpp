#include "cli/shown_text.h"

#include "platform/platform.h"

namespace kinoha {

std::wstring EscapeControls(const std::wstring& text) {
    static constexpr wchar_t kHex[] = L"0123456789ABCDEF";
    std::wstring out;
    out.reserve(text.size());
    bool afterHigh = false;  // a low surrogate after a high one is half of a character (UTF-16)
    for (const wchar_t c : text) {
        const auto u = static_cast<unsigned long>(c);
        unsigned long byte = 0x100;
        if (u < 0x20 || (u >= 0x7F && u <= 0x9F)) byte = u;
        if (u >= 0xDC80 && u <= 0xDCFF && !afterHigh) byte = u - 0xDC00;
        afterHigh = u >= 0xD800 && u <= 0xDBFF;
        if (byte > 0xFF) {
            out += c;
            continue;
        }
        out += L"\\x";
        out += kHex[byte >> 4];
        out += kHex[byte & 0xF];
    }
    return out;
}

std::wstring RelativePath(const std::wstring& path, const std::wstring& here) {
    if (path.size() > here.size() + 1 && path.compare(0, here.size(), here) == 0 &&
        path[here.size()] == L'\\')
        return path.substr(here.size() + 1);
    return path;
}

std::wstring ShownPath(const std::wstring& path, const std::wstring& here) {
    return EscapeControls(platform::DisplayPath(RelativePath(path, here)));
}

std::wstring PortablePath(const std::wstring& path, const std::wstring& here) {
    std::wstring out = RelativePath(path, here);
    for (auto& c : out) {
        if (c == L'\\') c = L'/';
    }
    return out;
}

}  // namespace kinoha
