// The catalogue build: the project list, the executable list and the entries of both tray
// menus (menu_model.h), rebuilt from the project directory and the exclusion list.
#pragma once

#include <string>
#include <vector>

#include "app/sorted_list.h"
#include "catalogue/menu_model.h"
#include "catalogue/project_search.h"

namespace kinoha {

// Rebuilds the catalogue; with `research` the project directory is searched again first.
// Projects whose path holds an exclusion string (exact case; an empty string excludes all) are
// left out; groups give executables but no entries for their members; at most 100 entries per
// menu, the rest counted in gMoreProjects and gMoreExes. Every surviving project is read for its
// executables, so lstExe holds them all. lstPrj, lstExe, mnuTSK and mnuEXE change together, only
// when a build ends. A search that finds the project directory gone (before or after the walk)
// publishes nothing: the old catalogue stays and gSearchFailure says why.
// In one go on the calling thread, window events let through while it searches; the program
// builds in the background (background_catalogue.h) from the same two steps,
// ComputeCatalogue and PublishCatalogue.
void BuildCatalogue(bool research);

// What a build starts from: copies of the values it reads, taken on the user-interface thread,
// so that the build itself can run on any thread.
struct CatalogueInputs {
    bool research = false;
    std::wstring prjDir;
    std::vector<std::wstring> exclusions;
    bool fileNamesOnly = false;
    SortedList projects;    // the last search's list; used when not searching
    MenuArray projectMenu;  // the menus as shown: hidden entries keep their captions, and
    MenuArray exeMenu;      // executable entry 0 keeps what it showed
};
CatalogueInputs CurrentCatalogueInputs(bool research);

// What a build leaves for publishing.
struct CatalogueBuild {
    std::wstring prjDir;
    bool searched = false;
    bool stopped = false;  // a step asked to stop: nothing to publish
    std::wstring failure;  // not empty: the search failed, nothing to publish
    SortedList projects;
    std::vector<std::wstring> exes;
    MenuArray tsk, exe;
    std::size_t moreProjects = 0, moreExes = 0;
};
// Builds the catalogue from the inputs without touching any program-wide value. `step` is
// called between the search's steps (see SearchTree).
CatalogueBuild ComputeCatalogue(CatalogueInputs inputs, const SearchStep& step);
// Makes a finished build the catalogue (or, for a failed one, records its failure only).
void PublishCatalogue(CatalogueBuild&& build);

// The reason given when the project directory cannot be found.
std::wstring DirectoryMissingReason();

// Fills the executable menu from `exes`, in order, up to 100 entries: entry i shows the
// picture of exes[i] with its caption. Entries after the last are hidden and lose their
// pictures, except entry 0, which is never hidden and keeps what it showed.
void BuildExeMenu(const std::vector<std::wstring>& exes, MenuArray& menu, bool fileNamesOnly);

// Width in pixels of an executable entry's picture for a caption of `ansiBytes` bytes: 20 for
// the icon, 6 per half-width character cell, 10 of room; at most 32767.
std::int16_t ExePictureWidth(std::int32_t ansiBytes);

}  // namespace kinoha
