#include "tray/tray_notices.h"

#include "app/message.h"

namespace kinoha {

std::wstring FirstStartNoticeTitle() {
    return L"Kinoha";
}

std::wstring FirstStartNoticeText() {
    // Windows 11 puts a new icon in the hidden part of the notification area.
    return JoinLines({L"Kinoha は通知領域（タスクトレイ）に常駐しました",
                      L"右クリック：プロジェクトとコマンドのメニュー",
                      L"左クリック：実行ファイルのメニュー",
                      L"アイコンが見えないときは、タスクバーの「＾」を開いて下さい"});
}

std::wstring HotkeyTakenTitle() {
    return L"情報";
}

std::wstring HotkeyTakenText(const Hotkey& hotkey) {
    return JoinLines({L"ホットキー " + HotkeyText(hotkey) + L" は他のプログラムが使っています",
                      L"クイックオープンはメニューの「クイックオープン」から開いて下さい"});
}

}  // namespace kinoha
