// Finding the files that match a name pattern in a directory tree.
#pragma once

#include <string>
#include <vector>

namespace kinoha {

// Appends to `list` every entry of `directory` (and, with `recurse`, of every directory below
// it) whose name matches `pattern`, as full paths or bare names. Order: a directory's own
// matches, then, depth first, each subdirectory in the platform's order. Directories whose
// names begin with "." are not entered; a directory reached again through a link that leads
// back to one of its ancestors is not entered either. Pending window events are processed
// between steps. True when the search ran to its end. A directory that cannot be listed is
// passed over; `unreadable`, when given, receives it.
bool SearchFiles(const std::wstring& directory, const std::wstring& pattern, bool recurse,
                 std::vector<std::wstring>& list, bool clearFirst, bool fullPaths,
                 std::vector<std::wstring>* unreadable = nullptr);

bool SearchDirectory(const std::wstring& directory, const std::wstring& pattern, bool recurse,
                     std::vector<std::wstring>& list, bool fullPaths,
                     std::vector<std::wstring>* unreadable = nullptr);

// One directory, no descent. A matching directory is listed like a file.
bool ListMatchingFiles(const std::wstring& directory, const std::wstring& pattern,
                       std::vector<std::wstring>& list, bool fullPaths);

}  // namespace kinoha
