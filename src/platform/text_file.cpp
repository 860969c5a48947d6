#include <cstring>

#include "platform/platform.h"

namespace kinoha::platform {

void SplitLines(std::string_view bytes, std::vector<std::string_view>& lines) {
    lines.clear();
    const char* p = bytes.data();
    const char* end = p + bytes.size();
    while (p < end) {
        const auto* cr = static_cast<const char*>(std::memchr(p, '\r', end - p));
        if (cr == nullptr) {
            lines.emplace_back(p, end - p);
            return;
        }
        lines.emplace_back(p, cr - p);
        p = cr + 1;
        if (p < end && *p == '\n') ++p;
    }
}

bool ReadTextLines(const std::wstring& path, std::vector<std::wstring>& lines) {
    lines.clear();
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) return false;
    std::vector<std::string_view> raw;
    SplitLines(bytes, raw);
    lines.reserve(raw.size());
    for (const auto line : raw) lines.push_back(DecodeAnsi(line));
    return true;
}

bool WriteTextLines(const std::wstring& path, const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (const auto& line : lines) {
        text += line;
        text += L"\r\n";
    }
    return ReplaceFileAtomically(path, EncodeAnsi(text));
}

}  // namespace kinoha::platform
