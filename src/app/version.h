// The program's version, shown as major, a point and the minor with two digits ("3.04"); the
// numbers come from the build.
#pragma once

#include <string>

#include "app/build_info.h"

namespace kinoha {

inline constexpr int kVersionMajor = KINOHA_VERSION_MAJOR;
inline constexpr int kVersionMinor = KINOHA_VERSION_MINOR;

inline std::wstring VersionText() {
    std::wstring minor = std::to_wstring(kVersionMinor);
    if (minor.size() < 2) minor.insert(0, 2 - minor.size(), L'0');
    return std::to_wstring(kVersionMajor) + L"." + minor;
}

}  // namespace kinoha
