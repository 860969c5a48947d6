// The pieces of project file reading that the executable and output-folder lookups and the VB5
// rewrite share.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kinoha::project_values {

// The quoted value of a key line, taken from a fixed position as the project format writes
// it: `from` is the 1-based first character, and the last character (the closing quote) is
// left out. Nothing when the line is too short for that.
std::optional<std::wstring> QuotedValue(const std::wstring& line, std::size_t from);

inline constexpr std::wstring_view kExeName = L"ExeName32=\"";
inline constexpr std::wstring_view kPath = L"Path32=";
inline constexpr std::size_t kExeNameFrom = 12;
inline constexpr std::size_t kPathFrom = 9;

// A project file as the output-folder lookup and the VB5 rewrite hold it: at most 301 lines
// (line numbers 0 to 300), each as its bytes and decoded, and the last "Path32=" value.
struct LineTable {
    std::string bytes;
    std::vector<std::string_view> raw;  // views into `bytes`
    std::vector<std::wstring> lines;
    std::wstring path32;
};

// False when the file cannot be read, has more than 301 lines or holds a "Path32=" line too
// short for its value.
bool ReadLineTable(const std::wstring& projectPath, LineTable& table);

}  // namespace kinoha::project_values
