// The windows the tray menu opens. Each exists at most once: opening it again shows (and brings
// forward) the open one. `tray` is the tray window, the owner of what they show.
#pragma once

#include <windows.h>

#include <functional>

namespace kinoha::ui {

void ShowCompileWindow(HWND tray);  // "自動コンパイル画面"
void ShowStepWindow(HWND tray);     // "ステップ算出"
// "表示除外プロジェクト指定画面"; `rebuild` is called when it closes, to rebuild the catalogue and
// its menus with the list it leaves.
void ShowExclusionEditor(HWND tray, std::function<void(bool research)> rebuild);
void ShowVersionWindow(HWND tray);  // "バージョン情報"

}  // namespace kinoha::ui
