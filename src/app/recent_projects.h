// The projects opened last, most recent first, for the quick-open window's order. Kept in the
// settings file under "[RECENT]", one line per project.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kinoha {

inline constexpr std::size_t kRecentProjects = 20;

extern std::vector<std::wstring> gRecent;

// Puts `path` first (once), keeping at most kRecentProjects.
void NoteRecentProject(const std::wstring& path);

}  // namespace kinoha
