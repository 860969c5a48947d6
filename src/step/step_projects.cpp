#include "step/step_projects.h"

#include "app/globals.h"
#include "app/text_helpers.h"
#include "platform/platform.h"

namespace kinoha {

void AddGroupProjects(const std::wstring& groupPath, std::vector<std::wstring>& lstData) {
    std::int32_t position = 0, count = 0;
    SearchString(1, groupPath, L"\\", position, count);
    const std::wstring folder =
        groupPath.substr(0, position > 0 ? static_cast<std::size_t>(position - 1) : 0);
    std::vector<std::wstring> lines;
    if (!platform::ReadTextLines(groupPath, lines)) return;
    constexpr std::wstring_view kKey = L"Project=";
    for (const auto& line : lines) {
        const auto at = line.find(kKey);
        if (at == std::wstring::npos) continue;
        const std::wstring full = ResolvePath(folder + L"\\" + line.substr(at + kKey.size()));
        if (!full.empty() && FileExists(full)) lstData.push_back(full);
    }
}

void FillStepProjects(const std::vector<std::wstring>& rows,
                      const std::vector<std::wstring>& exclusions,
                      std::vector<std::wstring>& lstData) {
    lstData.clear();
    for (const auto& row : rows) {
        bool excluded = false;
        for (const auto& e : exclusions) {
            if (row.find(e) != std::wstring::npos) excluded = true;
        }
        if (excluded) continue;
        if (FindUpper(row, L".VBG") > 0) {
            AddGroupProjects(row, lstData);
        } else {
            lstData.push_back(row);
        }
    }
}

void FillStepProjectList(std::vector<std::wstring>& lstData) {
    FillStepProjects(lstPrj.Items(), lstJyogai, lstData);
}

}  // namespace kinoha
