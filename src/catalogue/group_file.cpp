#include "catalogue/group_file.h"

#include "app/text_helpers.h"
#include "platform/platform.h"

namespace kinoha {

std::vector<std::wstring> GroupProjects(const std::wstring& groupPath) {
    std::vector<std::wstring> projects;
    std::vector<std::wstring> lines;
    if (!platform::ReadTextLines(groupPath, lines)) return projects;
    const std::wstring folder = FolderOf(groupPath);
    constexpr std::wstring_view kProject = L"Project=";
    for (const auto& line : lines) {
        // Also matches the "Project=" inside "StartupProject=".
        const auto at = line.find(kProject);
        if (at == std::wstring::npos) continue;
        std::wstring p =
            PathFromFolder(folder, std::wstring_view(line).substr(at + kProject.size()));
        // The path itself is looked up: a folder named like "x.EXE y" is no command line.
        if (platform::LookupFile(p)) projects.push_back(std::move(p));
    }
    return projects;
}

std::vector<std::wstring> EntryProjects(const std::wstring& entry) {
    if (HasExtension(entry, L".VBG")) return GroupProjects(entry);
    return {entry};
}

}  // namespace kinoha
