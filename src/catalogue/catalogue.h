// The catalogue build: the project list, the executable list and the entries of both tray
// menus (menu_model.h), rebuilt from the project directory and the exclusion list.
#pragma once

#include <string>
#include <vector>

#include "catalogue/menu_model.h"

namespace kinoha {

// Rebuilds the catalogue; with `research` the project directory is searched again first.
// Projects whose path holds an exclusion string (exact case; an empty string excludes all) are
// left out; groups give executables but no entries for their members; at most 100 entries per
// menu. lstPrj, lstExe, mnuTSK and mnuEXE change together, only when a build ends.
// The search lets window events through. A build asked for meanwhile (by a handler of such an
// event) does not start inside the running one: the call returns at once and the running build
// runs once more when it ends, searching again if any of the calls asked for it.
void BuildCatalogue(bool research);

// Whether a build is under way (its search is letting window events through).
bool CatalogueBuildRunning();

// Fills the executable menu from `exes`, in order, up to 100 entries: entry i shows the
// picture of exes[i] with its caption. Entries after the last are hidden and lose their
// pictures, except entry 0, which is never hidden and keeps what it showed.
void BuildExeMenu(const std::vector<std::wstring>& exes, MenuArray& menu, bool fileNamesOnly);

// Width in pixels of an executable entry's picture for a caption of `ansiBytes` bytes: 20 for
// the icon, 6 per half-width character cell, 10 of room; at most 32767.
std::int16_t ExePictureWidth(std::int32_t ansiBytes);

}  // namespace kinoha
