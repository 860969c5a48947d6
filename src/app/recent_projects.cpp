#include "app/recent_projects.h"

#include <algorithm>

namespace kinoha {

std::vector<std::wstring> gRecent;

void NoteRecentProject(const std::wstring& path) {
    gRecent.erase(std::remove(gRecent.begin(), gRecent.end(), path), gRecent.end());
    gRecent.insert(gRecent.begin(), path);
    if (gRecent.size() > kRecentProjects) gRecent.resize(kRecentProjects);
}

}  // namespace kinoha
