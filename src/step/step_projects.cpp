#include "step/step_projects.h"

#include "app/globals.h"
#include "app/text_helpers.h"
#include "catalogue/exclusion.h"
#include "catalogue/group_file.h"

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

}  // namespace kinoha
