#include "app/text_helpers.h"
#include "catalogue/group_file.h"
#include "catalogue/project_file.h"
#include "catalogue/project_values.h"
#include "platform/platform.h"

namespace kinoha {
namespace pv = project_values;

std::wstring GetProjectOutput(const std::wstring& projectPath) {
    std::vector<std::wstring> lines;
    if (!platform::ReadTextLines(projectPath, lines)) return {};
    return ProjectOutputOf(projectPath, lines);
}

std::wstring ProjectOutputOf(const std::wstring& projectPath,
                             const std::vector<std::wstring>& lines) {
    const std::wstring folder = FolderOf(projectPath);
    std::wstring exe, dir;
    for (const auto& line : lines) {
        if (line.find(pv::kExeName) != std::wstring::npos) {
            auto v = pv::QuotedValue(line, pv::kExeNameFrom);
            if (!v) return {};
            exe = std::move(*v);
        }
        if (line.find(pv::kPath) != std::wstring::npos) {
            auto v = pv::QuotedValue(line, pv::kPathFrom);
            if (!v) return {};
            // The value names a folder: the "\" added lets a last ".." step apply.
            dir = IsAbsolute(*v) ? ResolvePath(*v + L"\\") : PathFromFolder(folder, *v + L"\\");
            if (!dir.empty() && dir.back() == L'\\') dir.pop_back();
        }
    }
    if (exe.empty()) return {};
    if (dir.empty() && LastBackslash(projectPath) > 0) dir = folder;
    return PathFromFolder(dir, exe);
}

std::wstring GetProjectExe(const std::wstring& projectPath) {
    std::wstring exe = GetProjectOutput(projectPath);
    // Projects that build a DLL or a control have no ".EXE" (their output folder may).
    if (!HasExtension(exe, L".EXE")) return {};
    return exe;
}

void AddGroupExes(const std::wstring& groupPath, std::vector<std::wstring>& list) {
    for (const auto& project : GroupProjects(groupPath)) {
        std::wstring e = GetProjectExe(project);
        if (!e.empty()) list.push_back(std::move(e));
    }
}

}  // namespace kinoha
