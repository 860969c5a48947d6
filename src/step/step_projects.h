// The step count's project list: the catalogue's rows minus the excluded ones, with group files
// split into their member projects.
#pragma once

#include <string>
#include <vector>

namespace kinoha {

// Appends the member projects of a group file (GroupProjects).
void AddGroupProjects(const std::wstring& groupPath, std::vector<std::wstring>& lstData);

// Fills `lstData` from `rows`: a row holding any of `exclusions` (exact, case-sensitive
// substring) is left out; a group file (a name ending in ".VBG", any case) is split; other rows are
// kept as they are. Projects reached through a group are not tested against the exclusions.
void FillStepProjects(const std::vector<std::wstring>& rows,
                      const std::vector<std::wstring>& exclusions,
                      std::vector<std::wstring>& lstData);

// The step count window's list, from the catalogue (lstPrj) and the exclusion list (lstJyogai).
void FillStepProjectList(std::vector<std::wstring>& lstData);

}  // namespace kinoha
