// The entries of the two tray pop-ups as the catalogue build leaves them: the project menu
// mnuTSK and the executable menu mnuEXE, 100 entries each. The tray turns them into real menus;
// visible entries are always the first ones.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace kinoha {

struct MenuEntry {
    std::wstring caption;  // the item's caption; mnuEXE entries keep their design caption
    std::wstring tag;      // full path of the project, group or executable file
    bool visible = false;
    // mnuEXE only: the entry shows a picture 20 pixels high and `bitmapWidth` wide, the file's
    // small icon (or the question mark when the file has none) at the left and `text` from
    // x 20, y 3. Without a picture the entry shows its caption.
    bool pictured = false;
    std::wstring text;
    std::int16_t bitmapWidth = 50;
};

inline constexpr std::size_t kMenuEntries = 100;
using MenuArray = std::array<MenuEntry, kMenuEntries>;

extern MenuArray mnuTSK;
extern MenuArray mnuEXE;

// Goes up by one each time a build publishes the menus (and lstPrj, lstExe); the tray rebuilds
// its pop-ups when it differs from the value it last saw.
extern std::uint64_t gMenuGeneration;

// Beyond the 100 entries: the surviving projects and the executables without an entry. The
// last entry of such a menu is then MoreEntriesCaption, which opens the quick-open window.
extern std::size_t gMoreProjects;
extern std::size_t gMoreExes;
// "その他（n 件）…"
std::wstring MoreEntriesCaption(std::size_t n);

// The state of the search shown as the main menu's first, disabled entry: gSearching while a
// search runs in the background ("検索中…"), else gSearchFailure when the last search failed
// ("検索失敗：" and the reason); nothing otherwise.
extern bool gSearching;
extern std::wstring gSearchFailure;
std::wstring SearchStateCaption();

// The menus as the tray window is designed: "mnuTSK0" to "mnuTSK99" hidden, "mnuEXE00" to
// "mnuEXE99" hidden except entry 0, all without tags or pictures; the generation back to 0;
// no overflow, no search state.
// Tests call it next to ResetGlobals.
void ResetMenus();

// The caption of a menu entry for `path`: its file name (the text after the last "\") when
// file names only are shown, otherwise the whole path. The first form follows gFileNamesOnly.
std::wstring MenuCaption(const std::wstring& path);
std::wstring MenuCaption(const std::wstring& path, bool fileNamesOnly);

}  // namespace kinoha
