// Paths handed to the wide-character Windows API.
#pragma once

#include <string>

namespace kinoha::platform::win32 {

// The path as the API should get it: long absolute paths gain the "\\?\" prefix so that they
// are not cut at 260 characters.
std::wstring ApiPath(const std::wstring& path);

}  // namespace kinoha::platform::win32
