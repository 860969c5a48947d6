// One letter-case rule for every platform, so that sorted lists and file-name matching come out
// the same on Windows and Linux whatever the locale.
#pragma once

#include <string_view>

namespace kinoha::platform {

// The lower-case form of one character: ASCII, Latin-1, Latin Extended-A, Greek, Cyrillic and
// the full-width Latin letters; every other character is its own lower case.
constexpr wchar_t FoldCase(wchar_t c) {
    const auto u = static_cast<unsigned long>(c);
    if (u < 0x80) return (u >= 'A' && u <= 'Z') ? static_cast<wchar_t>(u + 32) : c;
    if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return static_cast<wchar_t>(u + 32);
    if (u >= 0x100 && u <= 0x17F) {
        // Latin Extended-A pairs upper/lower on even/odd code points, except the ranges
        // 0x139-0x148 and 0x179-0x17E where the upper case is odd.
        const bool oddUpper = (u >= 0x139 && u <= 0x148) || (u >= 0x179 && u <= 0x17E);
        if (u == 0x130 || u == 0x131 || u == 0x138 || u == 0x149 || u == 0x17F) return c;
        if (oddUpper) return (u % 2 == 1) ? static_cast<wchar_t>(u + 1) : c;
        return (u % 2 == 0) ? static_cast<wchar_t>(u + 1) : c;
    }
    if (u >= 0x391 && u <= 0x3AB && u != 0x3A2) return static_cast<wchar_t>(u + 32);
    if (u >= 0x410 && u <= 0x42F) return static_cast<wchar_t>(u + 32);
    if (u >= 0x400 && u <= 0x40F) return static_cast<wchar_t>(u + 80);
    if (u >= 0xFF21 && u <= 0xFF3A) return static_cast<wchar_t>(u + 32);
    return c;
}

// Compares two texts character by character after folding each, by code point.
// Negative, zero or positive like wcscmp.
inline int CompareFolded(std::wstring_view a, std::wstring_view b) {
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned long>(FoldCase(a[i]));
        const auto y = static_cast<unsigned long>(FoldCase(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

// Windows-style name matching: "*" any run, "?" one character, letter case folded; "*.*"
// matches every name, with or without a dot.
bool MatchesPattern(std::wstring_view name, std::wstring_view pattern);

}  // namespace kinoha::platform
