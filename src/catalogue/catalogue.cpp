#include "catalogue/catalogue.h"

#include "app/globals.h"
#include "app/text_helpers.h"
#include "catalogue/exclusion.h"
#include "catalogue/project_file.h"
#include "platform/platform.h"

namespace kinoha {
namespace {

bool DirectoryPresent(const std::wstring& directory) {
    std::string identity;
    return platform::DirectoryIdentity(directory, identity);
}

// The search of both patterns; a directory that is missing when the walk starts or when it
// ends (a network drop meanwhile) fails the search rather than emptying the catalogue.
bool Search(const std::wstring& prjDir, const SearchStep& step, CatalogueBuild& build) {
    if (!DirectoryPresent(prjDir)) {
        build.failure = DirectoryMissingReason();
        return false;
    }
    std::vector<std::vector<std::wstring>> found;
    if (!SearchTree(prjDir, {L"*.vbg", L"*.vbp"}, found, step)) {
        build.stopped = true;
        return false;
    }
    if (!DirectoryPresent(prjDir)) {
        build.failure = DirectoryMissingReason();
        return false;
    }
    for (auto& list : found) {
        for (auto& path : list) build.projects.Add(std::move(path));
    }
    build.searched = true;
    return true;
}

}  // namespace

std::wstring DirectoryMissingReason() {
    return L"プロジェクトのディレクトリが見つかりません";
}

CatalogueInputs CurrentCatalogueInputs(bool research) {
    CatalogueInputs in;
    in.research = research;
    in.prjDir = gPrjDir;
    in.exclusions = lstJyogai;
    in.fileNamesOnly = gFileNamesOnly;
    if (!research) in.projects = lstPrj;
    in.projectMenu = mnuTSK;
    in.exeMenu = mnuEXE;
    return in;
}

CatalogueBuild ComputeCatalogue(CatalogueInputs in, const SearchStep& step) {
    CatalogueBuild build;
    build.prjDir = in.prjDir;
    build.tsk = std::move(in.projectMenu);
    build.exe = std::move(in.exeMenu);
    for (auto& entry : build.tsk) entry.visible = false;
    if (in.prjDir.empty()) return build;
    if (in.research) {
        if (!Search(in.prjDir, step, build)) return build;
    } else {
        build.projects = std::move(in.projects);
    }
    std::size_t shown = 0;
    for (const std::wstring& p : build.projects) {
        if (IsExcluded(p, in.exclusions)) continue;
        // Every project is read, so that no executable is out of reach; only the menus stop
        // at 100 entries.
        if (!HasExtension(p, L".VBG")) {
            std::wstring x = GetProjectExe(p);
            if (!x.empty()) build.exes.push_back(std::move(x));
        } else {
            AddGroupExes(p, build.exes);
        }
        if (shown == kMenuEntries) {
            ++build.moreProjects;
            continue;
        }
        MenuEntry& entry = build.tsk[shown++];
        entry.caption = MenuCaption(p, in.fileNamesOnly);
        entry.tag = p;
        entry.visible = true;
    }
    BuildExeMenu(build.exes, build.exe, in.fileNamesOnly);
    if (build.exes.size() > kMenuEntries) build.moreExes = build.exes.size() - kMenuEntries;
    return build;
}

void PublishCatalogue(CatalogueBuild&& build) {
    if (build.stopped) return;
    if (!build.failure.empty()) {
        gSearchFailure = std::move(build.failure);
        ++gMenuGeneration;
        return;
    }
    if (build.searched) {
        lstPrj = std::move(build.projects);
        gSearchFailure.clear();
    }
    lstExe = std::move(build.exes);
    mnuTSK = std::move(build.tsk);
    // Without a project directory the executables menu is left as it was.
    if (!build.prjDir.empty()) mnuEXE = std::move(build.exe);
    gMoreProjects = build.moreProjects;
    gMoreExes = build.prjDir.empty() ? 0 : build.moreExes;
    ++gMenuGeneration;
}

void BuildCatalogue(bool research) {
    PublishCatalogue(ComputeCatalogue(CurrentCatalogueInputs(research), [] {
        platform::PumpEvents();
        return true;
    }));
}

}  // namespace kinoha
