// Reading VB project (.vbp) and project group (.vbg) files for the executables they build and
// the output folder they name. Keys are found anywhere in a line (exact case); a later line
// wins. A file that cannot be read, or a key line too short for its value, gives an empty result.
#pragma once

#include <string>
#include <vector>

#include "app/globals.h"

namespace kinoha {

// The full path of the executable the project compiles to: the "ExeName32=" name in the
// "Path32=" folder (the project's own folder when there is none). Empty unless the path holds
// ".EXE" in any case. Values that are absolute paths (C:\... or \\server\...) are taken as they
// are.
std::wstring GetProjectExe(const std::wstring& projectPath);

// Appends to `list` the executables of every project that the group names on a "Project=" line
// (the start-up project's line included), in line order. A member that does not exist is
// skipped; what was appended before a failure stays.
void AddGroupExes(const std::wstring& groupPath, std::vector<std::wstring>& list = lstExe);

// The project's "Path32=" folder as an absolute path, or empty (no such line, more than 301
// lines, any failure). When gVbMain names VB5.EXE the file is first rewritten without its
// "Retained=" and "DebugStartupOption=" lines, with CR LF line ends; the rewrite replaces the
// file whole, so a file that cannot be rewritten stays exactly as it was.
std::wstring GetOutputDir(const std::wstring& projectPath);

}  // namespace kinoha
