// File names on POSIX: the logic's Windows paths mapped onto the file system.
#pragma once

#include <string>
#include <string_view>

namespace kinoha::platform::posix {

// File-name bytes (UTF-8; other bytes kept as escape characters) to text and back.
std::wstring NameToWide(std::string_view bytes);
std::string WideToName(std::wstring_view text);

// The native path for a Windows-style path: "\" is a separator, and a component that does not
// exist with its exact letter case is matched against its directory's entries ignoring case.
std::string NativePath(const std::wstring& path);
// The path with "\" as "/" and nothing resolved: for a first try that costs no extra lookup.
std::string DirectPath(const std::wstring& path);

}  // namespace kinoha::platform::posix
