#include "catalogue/group_file.h"
#include "catalogue/project_file.h"

namespace kinoha {

void AddGroupExes(const std::wstring& groupPath, std::vector<std::wstring>& list) {
    for (const auto& project : GroupProjects(groupPath)) {
        std::wstring e = GetProjectExe(project);
        if (!e.empty()) list.push_back(std::move(e));
    }
}

}  // namespace kinoha
