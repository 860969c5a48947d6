// The windows the tray menu opens. Each exists at most once: opening it again shows (and brings
// forward) the open one. `tray` is the tray window, the owner of what they show.
#pragma once

#include <windows.h>

namespace kinoha::ui {

void ShowCompileWindow(HWND tray);    // "自動コンパイル画面"
void ShowStepWindow(HWND tray);       // "ステップ算出"
void ShowExclusionEditor(HWND tray);  // "表示除外プロジェクト指定画面"
void ShowVersionWindow(HWND tray);    // "バージョン情報"

// The tray window, for windows that rebuild the catalogue and its menus when they close.
void RebuildTrayCatalogue(bool research);

}  // namespace kinoha::ui
