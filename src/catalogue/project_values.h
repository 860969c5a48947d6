// The pieces of project and group file reading that the executable and output-folder lookups
// share.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kinoha::project_values {

// The folder of a file path through its last "\" (empty when there is none).
std::wstring FolderOf(std::wstring_view path);

// Whether a value is a path of its own: a drive letter with "\" or "/" after the colon, or a
// UNC path.
bool IsAbsolute(std::wstring_view value);

// The quoted value of a key line, taken from a fixed position as the project format writes
// it: `from` is the 1-based first character, and the last character (the closing quote) is
// left out. Nothing when the line is too short for that.
std::optional<std::wstring> QuotedValue(const std::wstring& line, std::size_t from);

inline constexpr std::wstring_view kExeName = L"ExeName32=\"";
inline constexpr std::wstring_view kPath = L"Path32=";
inline constexpr std::size_t kExeNameFrom = 12;
inline constexpr std::size_t kPathFrom = 9;

}  // namespace kinoha::project_values
