// The program's version, shown as major, a point and the minor with two digits ("3.04").
#pragma once

#include <string>

namespace kinoha {

inline constexpr int kVersionMajor = 3;
inline constexpr int kVersionMinor = 4;

inline std::wstring VersionText() {
    std::wstring minor = std::to_wstring(kVersionMinor);
    if (minor.size() < 2) minor.insert(0, 2 - minor.size(), L'0');
    return std::to_wstring(kVersionMajor) + L"." + minor;
}

}  // namespace kinoha
