// Which project of an older tree is the older version of which project of a newer one: the
// same path relative to each tree, letter case ignored, as a team keeps a release's copy.
#pragma once

#include <string>
#include <vector>

namespace kinoha {

// The path relative to `folder`, letter case folded: "..\" steps where it lies beside the
// folder, the whole path where the two share no first component (another drive).
std::wstring RelativeKey(const std::wstring& folder, const std::wstring& path);

struct VersionPair {
    std::wstring older;  // empty when the project has no older version
    std::wstring newer;
};

// Pairs each project of `newer` (found under `newRoot`; a project listed twice is taken once)
// with the project of `older` (under `oldRoot`) at the same relative path; failing that, with
// the only older project of the same file name (an older copy of one project's own folder).
// `olderOnly` receives the older projects left unpaired, in their order.
void PairProjectVersions(const std::vector<std::wstring>& older, const std::wstring& oldRoot,
                         const std::vector<std::wstring>& newer, const std::wstring& newRoot,
                         std::vector<VersionPair>& pairs, std::vector<std::wstring>& olderOnly);

// The older versions of `projects` (projects of the project directory `projectDir`) in what the
// user chose: a project file, the older version of the one project or else of the projects of
// its file name; or a folder, searched for project files and groups (PairProjectVersions, with
// the folder in the place of the project directory). Projects outside `projectDir` are paired
// by their file name.
void PairWithChosenOlder(const std::wstring& chosen, const std::vector<std::wstring>& projects,
                         const std::wstring& projectDir, std::vector<VersionPair>& pairs);

}  // namespace kinoha
