#include "tray/win32/tray_menus.h"

#include "app/globals.h"
#include "app/hotkey.h"
#include "catalogue/menu_model.h"

namespace kinoha::ui {

HMENU MakeMainMenu(bool startsAtLogon) {
    HMENU menu = CreatePopupMenu();
    const std::wstring state = SearchStateCaption();
    if (!state.empty()) AppendMenuW(menu, MF_STRING | MF_GRAYED, kSearchState, state.c_str());
    for (std::size_t i = 0; i < mnuTSK.size(); ++i) {
        if (mnuTSK[i].visible)
            AppendMenuW(menu, MF_STRING, kTskBase + i, mnuTSK[i].caption.c_str());
    }
    if (gMoreProjects > 0)
        AppendMenuW(menu, MF_STRING, kMore, MoreEntriesCaption(gMoreProjects).c_str());
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    const std::wstring quickOpen = L"クイックオープン\t" + HotkeyText(gHotkey);
    AppendMenuW(menu, MF_STRING, kQuickOpen, quickOpen.c_str());
    AppendMenuW(menu, MF_STRING, kResearch, L"再検索");
    AppendMenuW(menu, MF_STRING | (startsAtLogon ? MF_CHECKED : MF_UNCHECKED), kStartup,
                L"Windows 起動時に起動");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kDir, L"プロジェクトのディレクトリ指定");
    AppendMenuW(menu, MF_STRING, kPath, L"VB本体のパス指定");
    AppendMenuW(menu, MF_STRING, kJyogai, L"表示除外するプロジェクトを指定");
    AppendMenuW(menu, MF_STRING | (gFileNamesOnly ? MF_CHECKED : MF_UNCHECKED), kFile,
                L"ファイル名だけで表示する");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kMake, L"自動コンパイル画面");
    AppendMenuW(menu, MF_STRING, kStep, L"ステップ算出");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kVersion, L"バージョン情報");
    AppendMenuW(menu, MF_STRING, kHelp, L"ヘルプ");
    AppendMenuW(menu, MF_STRING, kEnd, L"終了");
    return menu;
}

HMENU MakeExeMenu() {
    HMENU menu = CreatePopupMenu();
    // Entry 0 is never hidden: before the first executable it shows its design caption.
    for (std::size_t k = 0; k < mnuEXE.size(); ++k) {
        if (!mnuEXE[k].visible) continue;
        const bool drawn = mnuEXE[k].pictured;
        const std::wstring& text = drawn ? mnuEXE[k].text : mnuEXE[k].caption;
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID | MIIM_STRING | (drawn ? MIIM_BITMAP : 0);
        item.wID = kExeBase + static_cast<UINT>(k);
        item.dwTypeData = const_cast<wchar_t*>(text.c_str());
        item.hbmpItem = HBMMENU_CALLBACK;
        InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &item);
    }
    if (gMoreExes > 0) AppendMenuW(menu, MF_STRING, kMore, MoreEntriesCaption(gMoreExes).c_str());
    return menu;
}

}  // namespace kinoha::ui
