#include "catalogue/menu_model.h"

#include "app/globals.h"
#include "app/text_helpers.h"

namespace kinoha {
namespace {
MenuArray Design(const wchar_t* prefix, bool twoDigits) {
    MenuArray menu;
    for (std::size_t i = 0; i < menu.size(); ++i) {
        const std::wstring number = std::to_wstring(i);
        menu[i].caption = prefix + (twoDigits && i < 10 ? L"0" + number : number);
    }
    return menu;
}

MenuArray DesignExe() {
    MenuArray menu = Design(L"mnuEXE", true);
    menu[0].visible = true;
    return menu;
}
}  // namespace

MenuArray mnuTSK = Design(L"mnuTSK", false);
MenuArray mnuEXE = DesignExe();
std::uint64_t gMenuGeneration = 0;
std::size_t gMoreProjects = 0;
std::size_t gMoreExes = 0;
bool gSearching = false;
std::wstring gSearchFailure;

void ResetMenus() {
    mnuTSK = Design(L"mnuTSK", false);
    mnuEXE = DesignExe();
    gMenuGeneration = 0;
    gMoreProjects = 0;
    gMoreExes = 0;
    gSearching = false;
    gSearchFailure.clear();
}

std::wstring MoreEntriesCaption(std::size_t n) {
    return L"その他（" + std::to_wstring(n) + L" 件）…";
}

std::wstring SearchStateCaption() {
    if (gSearching) return L"検索中…";
    if (!gSearchFailure.empty()) return L"検索失敗：" + gSearchFailure;
    return {};
}

std::wstring MenuCaption(const std::wstring& path) {
    return MenuCaption(path, gFileNamesOnly);
}

std::wstring MenuCaption(const std::wstring& path, bool fileNamesOnly) {
    if (!fileNamesOnly) return path;
    return NameOf(path);
}

}  // namespace kinoha
