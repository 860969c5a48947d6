#include "step/step_projects.h"

#include "app/globals.h"
#include "app/text_helpers.h"
#include "catalogue/exclusion.h"
#include "catalogue/group_file.h"
#include "catalogue/project_search.h"
#include "platform/platform.h"

namespace kinoha {

void AddGroupProjects(const std::wstring& groupPath, std::vector<std::wstring>& lstData) {
    for (auto& project : GroupProjects(groupPath)) lstData.push_back(std::move(project));
}

void FillStepProjects(const std::vector<std::wstring>& rows,
                      const std::vector<std::wstring>& exclusions,
                      std::vector<std::wstring>& lstData) {
    lstData.clear();
    for (const auto& row : WithoutExcluded(rows, exclusions)) {
        if (HasExtension(row, L".VBG")) {
            AddGroupProjects(row, lstData);
        } else {
            lstData.push_back(row);
        }
    }
}

void FillStepProjectList(std::vector<std::wstring>& lstData) {
    FillStepProjects(lstPrj.Items(), lstJyogai, lstData);
}

bool AddPathRows(const std::wstring& path, std::vector<std::wstring>& rows,
                 std::vector<std::wstring>* unreadable) {
    std::string identity;
    if (platform::LookupFile(path)) {
        rows.push_back(path);
    } else if (platform::DirectoryIdentity(path, identity)) {
        std::vector<std::wstring> found;
        SearchFiles(path, L"*.vbg", true, found, true, true, unreadable);
        SearchFiles(path, L"*.vbp", true, found, false, true, unreadable);
        SortedList sorted;
        for (auto& f : found) sorted.Add(std::move(f));
        rows.insert(rows.end(), sorted.begin(), sorted.end());
    } else {
        return false;
    }
    return true;
}

}  // namespace kinoha
