#include "start/start_sequence.h"

#include "app/globals.h"
#include "app/settings.h"
#include "app/version.h"
#include "dialogs/settings_commands.h"
#include "info/win_version.h"
#include "platform/platform.h"

namespace kinoha {

std::wstring ProductNameText() {
    return L"Kinoha VB6用";
}

std::wstring VersionLabelText() {
    return L"ﾊﾞｰｼﾞｮﾝ " + VersionText();
}

void DecideSettingsFile() {
    DecideIniPath(GetWinVersion());
}

bool SettingsFileExists() {
    return platform::LookupFile(gIniPath) ||
           (!gIniFallbackPath.empty() && platform::LookupFile(gIniFallbackPath));
}

void LoadTray(TrayView& view) {
    gStop = true;
    LoadSettings();
    if (gVbMain.empty()) {
        view.ShowMessage(L"情報",
                         JoinLines({L"最初にコンパイルを行うＶＢ本体の場所を指定して下さい",
                                    L"ファイル名は、[ VB6.exe ] などです",
                                    L"参考画面も表示しますので、参考にして下さい"}),
                         MessageIcon::Information);
        ChooseVbExecutable(view);
    }
    if (gPrjDir.empty()) {
        view.ShowMessage(
            L"情報",
            JoinLines({L"ＶＢのプロジェクトのあるディレクトリを指定して下さい",
                       L"指定したディレクトリ下の全てのプロジェクトを検索します", L"",
                       L"あまり上位ディレクトリを指定すると遅くなりますので注意して下さい"}),
            MessageIcon::Information);
        ChooseProjectDirectory(view);
    }
    const bool firstStart = !SettingsFileExists();
    if (firstStart) view.MoveSplashBack();
    // The search runs in the background: the icon does not wait for it.
    view.RebuildCatalogue(true);
    view.AddTrayIcon();
    view.UnloadSplash();
    if (firstStart) view.ShowFirstStartNotice();
}

void SaveAtShutdown() {
    SaveSettings();
}

}  // namespace kinoha
