#include "catalogue/catalogue.h"

#include <optional>

#include "app/globals.h"
#include "app/text_helpers.h"
#include "catalogue/exclusion.h"
#include "catalogue/project_file.h"
#include "catalogue/project_search.h"

namespace kinoha {
namespace {

// One build at a time: the search lets window events through, and a handler of one of them may
// ask for another build. That request is noted here and served when the running build ends.
bool gRunning = false;
bool gPending = false;
bool gPendingResearch = false;

SortedList Search(const std::wstring& prjDir) {
    std::vector<std::wstring> found;
    SearchFiles(prjDir, L"*.vbg", true, found, true, true);
    SearchFiles(prjDir, L"*.vbp", true, found, false, true);
    SortedList list;
    for (auto& path : found) list.Add(std::move(path));
    return list;
}

// One build on copies of the catalogue, published whole at its end.
void BuildOnce(bool research) {
    MenuArray tsk = mnuTSK;
    MenuArray exe = mnuEXE;
    std::vector<std::wstring> exes;
    std::optional<SortedList> searched;
    for (auto& entry : tsk) entry.visible = false;

    const std::wstring prjDir = gPrjDir;
    if (!prjDir.empty()) {
        if (research) searched = Search(prjDir);
        // Read after the search: a change made during it comes with a build request of its
        // own, which runs next.
        const SortedList& projects = searched ? *searched : lstPrj;
        const std::vector<std::wstring> exclusions = lstJyogai;
        const bool fileNamesOnly = gFileNamesOnly;
        std::size_t m = 0;
        for (std::size_t i = 0; i < projects.Count() && m < kMenuEntries; ++i) {
            const std::wstring& p = projects[i];
            if (IsExcluded(p, exclusions)) continue;
            if (!HasExtension(p, L".VBG")) {
                std::wstring x = GetProjectExe(p);
                if (!x.empty()) exes.push_back(std::move(x));
            } else {
                AddGroupExes(p, exes);
            }
            tsk[m].caption = MenuCaption(p, fileNamesOnly);
            tsk[m].tag = p;
            tsk[m].visible = true;
            ++m;
        }
        BuildExeMenu(exes, exe, fileNamesOnly);
    }

    if (searched) lstPrj = std::move(*searched);
    lstExe = std::move(exes);
    mnuTSK = std::move(tsk);
    if (!prjDir.empty()) mnuEXE = std::move(exe);
    ++gMenuGeneration;
}

struct RunningGuard {
    RunningGuard() { gRunning = true; }
    ~RunningGuard() {
        gRunning = false;
        gPending = false;
        gPendingResearch = false;
    }
};
}  // namespace

void BuildCatalogue(bool research) {
    if (gRunning) {
        gPending = true;
        gPendingResearch = gPendingResearch || research;
        return;
    }
    RunningGuard guard;
    for (;;) {
        BuildOnce(research);
        if (!gPending) break;
        research = gPendingResearch;
        gPending = false;
        gPendingResearch = false;
    }
}

bool CatalogueBuildRunning() {
    return gRunning;
}

}  // namespace kinoha
