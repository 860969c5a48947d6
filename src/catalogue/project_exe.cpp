#include "app/text_helpers.h"
#include "catalogue/project_file.h"
#include "catalogue/project_values.h"
#include "platform/platform.h"

namespace kinoha {
namespace pv = project_values;

std::wstring GetProjectExe(const std::wstring& projectPath) {
    std::vector<std::wstring> lines;
    if (!platform::ReadTextLines(projectPath, lines)) return {};
    const std::wstring folder = pv::FolderOf(projectPath);
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
            dir = ResolvePath((pv::IsAbsolute(*v) ? L"" : folder) + *v + L"\\");
            if (!dir.empty() && dir.back() == L'\\') dir.pop_back();
        }
    }
    if (dir.empty() && !folder.empty()) dir = folder.substr(0, folder.size() - 1);
    exe = ResolvePath(pv::IsAbsolute(exe) ? exe : dir + L"\\" + exe);
    // Projects that build a DLL or a control have no ".EXE".
    if (FindUpper(exe, L".EXE") == 0) return {};
    return exe;
}

void AddGroupExes(const std::wstring& groupPath, std::vector<std::wstring>& list) {
    std::vector<std::wstring> lines;
    if (!platform::ReadTextLines(groupPath, lines)) return;
    std::wstring folder = pv::FolderOf(groupPath);
    if (!folder.empty()) folder.pop_back();
    constexpr std::wstring_view kProject = L"Project=";
    for (const auto& line : lines) {
        // Also matches the "Project=" inside "StartupProject=".
        const auto c = line.find(kProject);
        if (c == std::wstring::npos) continue;
        const std::wstring v = line.substr(c + kProject.size());
        const std::wstring p = ResolvePath(pv::IsAbsolute(v) ? v : folder + L"\\" + v);
        if (!platform::LookupFile(p)) continue;
        std::wstring e = GetProjectExe(p);
        if (!e.empty()) list.push_back(std::move(e));
    }
}

}  // namespace kinoha
