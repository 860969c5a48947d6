// The PATH arguments of the command-line tools: files taken as they are, directories searched
// for group and project files as the catalogue is.
#pragma once

#include <string>
#include <vector>

namespace kinoha {

// Appends the rows for the given paths to `rows`: a file as its absolute path; a directory's
// .vbg and .vbp files, sorted as the catalogue's list is. False, with `missing` set to the
// argument, when a path is neither. A directory below that cannot be listed is passed over;
// `unreadable`, when given, receives it (once).
bool ExpandToolPaths(const std::vector<std::wstring>& given, std::vector<std::wstring>& rows,
                     std::wstring& missing, std::vector<std::wstring>* unreadable = nullptr);

}  // namespace kinoha
