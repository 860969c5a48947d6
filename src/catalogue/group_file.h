// Reading VB project group (.vbg) files: the one reading of their "Project=" lines that the
// executable menu, the step count window and kinoha-step share.
#pragma once

#include <string>
#include <vector>

namespace kinoha {

// The projects the group names on its "Project=" lines (the key is sought anywhere in a line,
// so the start-up project's «StartupProject=» line counts too), in line order, each as a full
// path: an absolute value as it is, a relative one against the group's folder. Only projects
// that exist as ordinary files are returned; a group that cannot be read gives none.
std::vector<std::wstring> GroupProjects(const std::wstring& groupPath);

// The projects a list entry stands for: a group file's (GroupProjects), or the project itself.
std::vector<std::wstring> EntryProjects(const std::wstring& entry);

}  // namespace kinoha
