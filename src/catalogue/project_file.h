// Reading VB project (.vbp) and project group (.vbg) files for the executables they build and
// the output folder they name. Keys are found anywhere in a line (exact case); a later line
// wins. A file that cannot be read, or a key line too short for its value, gives an empty result.
#pragma once

#include <string>
#include <vector>

#include "app/globals.h"

namespace kinoha {

// The full path of the executable the project compiles to: the "ExeName32=" name in the
// "Path32=" folder (the project's own folder when there is none). Empty unless the file name
// ends in ".EXE" in any case. Values that are absolute paths (C:\... or \\server\...) are taken as
// they are.
std::wstring GetProjectExe(const std::wstring& projectPath);
// The full path of the file the project compiles to, whatever its kind (.exe, .dll, .ocx), by
// the same reading; empty when the project names none or cannot be read.
std::wstring GetProjectOutput(const std::wstring& projectPath);
// The same from the project file's lines, already read.
std::wstring ProjectOutputOf(const std::wstring& projectPath,
                             const std::vector<std::wstring>& lines);

// Appends to `list` the executables of every project that the group names (GroupProjects), in
// line order.
void AddGroupExes(const std::wstring& groupPath, std::vector<std::wstring>& list = lstExe);

// The project's "Path32=" folder as an absolute path, or empty (no such line, more than 301
// lines, any failure). Only reads the file.
std::wstring GetOutputDir(const std::wstring& projectPath);

// Makes a project or group file one the VB executable `vbMain` accepts, before it is handed to
// it: when `vbMain` names VB5.EXE (any case) the file is rewritten without its "Retained=" and
// "DebugStartupOption=" lines, with CR LF line ends. A file that GetOutputDir cannot read
// (more than 301 lines, a short "Path32=" line) is not rewritten. The rewrite replaces the file
// whole, so a file that cannot be rewritten stays exactly as it was. False when the file
// needed the rewrite and did not get it.
bool PrepareProjectForVb(const std::wstring& projectPath, const std::wstring& vbMain);

}  // namespace kinoha
