// The PATH arguments of the command-line tools: files taken as they are, directories searched
// for group and project files as the catalogue is.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kinoha {

enum class ToolPathProblem { None, Missing, NotProject };

// Appends the rows for the given paths to `rows`: a project or group file as its absolute path;
// a directory's .vbg and .vbp files, sorted as the catalogue's list is. A path that is neither
// a file nor a directory (Missing), or a file that is no .vbp or .vbg (NotProject: a typo in a
// build script must not count an empty project), stops it with `bad` set to the argument. A
// directory below that cannot be listed is passed over; `unreadable`, when given, receives it
// (once).
ToolPathProblem ExpandToolPaths(const std::vector<std::wstring>& given,
                                std::vector<std::wstring>& rows, std::wstring& bad,
                                std::vector<std::wstring>* unreadable = nullptr);
// Each path once, where it is first reached (compared as Windows compares paths); `repeats`
// counts the others.
std::vector<std::wstring> EachOnce(const std::vector<std::wstring>& paths, std::size_t& repeats);
// Whether `path` names the same file as one of `paths` (compared as Windows compares paths).
bool AmongPaths(const std::wstring& path, const std::vector<std::wstring>& paths);
// The message for a problem: "PATH: no such file or directory" and the like.
std::wstring ToolPathMessage(ToolPathProblem problem, const std::wstring& bad);

}  // namespace kinoha
