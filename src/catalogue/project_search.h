// Finding the files that match a name pattern in a directory tree.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kinoha {

// Appends to `list` every file of `directory` (and, with `recurse`, of every directory below
// it) whose name matches `pattern`, as full paths or bare names; directories are never listed.
// Order: a directory's own matches, then, depth first, each subdirectory in the platform's order.
// Directories whose names begin with "." are not entered; a directory is entered once, however
// many links lead to it (the first way the walk reaches it wins). Pending window events are
// processed between steps. True when the search ran to its end. A directory that cannot be listed
// is passed over; `unreadable`, when given, receives it.
bool SearchFiles(const std::wstring& directory, const std::wstring& pattern, bool recurse,
                 std::vector<std::wstring>& list, bool clearFirst, bool fullPaths,
                 std::vector<std::wstring>* unreadable = nullptr);

bool SearchDirectory(const std::wstring& directory, const std::wstring& pattern, bool recurse,
                     std::vector<std::wstring>& list, bool fullPaths,
                     std::vector<std::wstring>* unreadable = nullptr);

// Called before each directory is listed, before each descent and before each match is kept;
// returning false stops the search.
using SearchStep = std::function<bool()>;

// The same walk for several patterns at once (one listing per directory), recursing, full
// paths: lists[i] receives the matches of patterns[i]. Pending window events are not touched,
// so it may run on any thread. False when a step stopped it. `unreadable`, when given, receives
// each directory that could not be listed.
bool SearchTree(const std::wstring& directory, const std::vector<std::wstring>& patterns,
                std::vector<std::vector<std::wstring>>& lists, const SearchStep& step,
                std::vector<std::wstring>* unreadable = nullptr);

// Appends the rows a path given by the user stands for, as the catalogue would list them: a
// file as it is; for a directory, the .vbg and .vbp files found below it in one walk, sorted as
// the catalogue's list is. False when the path is neither a file nor a directory. `unreadable`,
// when given, receives the directories below it that could not be read.
bool AddPathRows(const std::wstring& path, std::vector<std::wstring>& rows,
                 std::vector<std::wstring>* unreadable = nullptr);

}  // namespace kinoha
