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
           (!gIniFallbackPath.empty() && platform::LookupFile(gIniFallbackPath)) ||
           !OtherVersionSettingsFile().empty();
}

namespace {
std::wstring FileNameOf(const std::wstring& path) {
    return path.substr(path.find_last_of(L"\\/") + 1);
}
}  // namespace

void LoadTray(StartView& view) {
    gStop.Set(RunState::Idle);
    LoadSettings();
    if (!gIniInheritedPath.empty()) {
        // Said at the first start under a new Windows version only: the save at the end makes
        // this version's file.
        view.ShowMessage(
            L"情報",
            JoinLines({L"Windows のバージョンが変わりましたので、",
                       L"[ " + FileNameOf(gIniInheritedPath) + L" ] の設定を引き継ぎます",
                       L"終了時に [ " + FileNameOf(gIniPath) + L" ] へ保存します"}),
            MessageIcon::Information);
    }
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
