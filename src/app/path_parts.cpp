#include "app/text_helpers.h"

namespace kinoha {

std::int32_t LastBackslash(std::wstring_view path) {
    std::int32_t position = 0, count = 0;
    SearchString(1, path, L"\\", position, count);
    return position;
}

std::wstring FolderOf(std::wstring_view path) {
    const std::int32_t p = LastBackslash(path);
    return std::wstring(path.substr(0, p > 0 ? static_cast<std::size_t>(p - 1) : 0));
}

std::wstring NameOf(std::wstring_view path) {
    return std::wstring(path.substr(static_cast<std::size_t>(LastBackslash(path))));
}

std::wstring HostOf(std::wstring_view path) {
    std::wstring_view rest;
    if (path.size() > 8 &&
        (path.substr(0, 8) == L"\\\\?\\UNC\\" || path.substr(0, 8) == L"\\\\?\\unc\\")) {
        rest = path.substr(8);
    } else if (path.size() > 2 && (path[0] == L'\\' || path[0] == L'/') &&
               (path[1] == L'\\' || path[1] == L'/') && path.substr(0, 4) != L"\\\\?\\" &&
               path.substr(0, 4) != L"\\\\.\\") {
        rest = path.substr(2);
    } else {
        return {};
    }
    return UpperAscii(rest.substr(0, rest.find_first_of(L"\\/")));
}

bool NamesOtherHost(std::wstring_view path, std::wstring_view home) {
    const std::wstring host = HostOf(path);
    return !host.empty() && host != HostOf(home);
}

bool HasExtension(std::wstring_view path, std::wstring_view upperExt) {
    const auto name = path.substr(static_cast<std::size_t>(LastBackslash(path)));
    return name.size() >= upperExt.size() &&
           UpperAscii(name.substr(name.size() - upperExt.size())) == upperExt;
}

std::wstring ReplaceExtension(std::wstring_view path, std::wstring_view suffix) {
    const auto nameStart = static_cast<std::size_t>(LastBackslash(path));
    const auto dot = path.rfind(L'.');
    const std::size_t end = dot != std::wstring_view::npos && dot >= nameStart ? dot : path.size();
    return std::wstring(path.substr(0, end)) + std::wstring(suffix);
}

bool IsAbsolute(std::wstring_view value) {
    if (value.size() >= 2 && value[0] == L'\\' && value[1] == L'\\') return true;
    const bool letter = value.size() >= 3 && ((value[0] >= L'A' && value[0] <= L'Z') ||
                                              (value[0] >= L'a' && value[0] <= L'z'));
    return letter && value[1] == L':' && (value[2] == L'\\' || value[2] == L'/');
}

std::wstring NormalisedPath(std::wstring_view path) {
    std::wstring out;
    out.reserve(path.size());
    std::size_t i = 0;
    const auto separator = [&](std::size_t k) { return path[k] == L'\\' || path[k] == L'/'; };
    if (path.size() >= 2 && separator(0) && separator(1)) {
        out = L"\\\\";
        i = 2;
    }
    while (i < path.size()) {
        std::size_t end = i;
        while (end < path.size() && !separator(end)) ++end;
        const std::wstring_view step = path.substr(i, end - i);
        const bool last = end >= path.size();
        if (step.empty()) {
            // The separator a rooted path begins with; a doubled one is nothing.
            if (out.empty() && i == 0) out += L'\\';
        } else if (step != L".") {
            out += step;
            if (!last) out += L'\\';
        }
        i = end + 1;
    }
    return out;
}

std::wstring PathFromFolder(std::wstring_view folder, std::wstring_view value) {
    if (IsAbsolute(value)) return ResolvePath(value);
    std::wstring joined(folder);
    joined += L'\\';
    joined += value;
    return ResolvePath(joined);
}

}  // namespace kinoha
