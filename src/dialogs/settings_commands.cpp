#include "dialogs/settings_commands.h"

#include "app/globals.h"
#include "app/settings.h"
#include "platform/platform.h"

namespace kinoha {
namespace {
// The chosen path in the form the settings file keeps (its short name when the code page cannot
// hold its own); when it has none, the path serves this run and the user learns that it will
// not be kept.
std::wstring Keepable(SettingsView& view, const std::wstring& chosen) {
    const std::wstring kept = KeepablePath(chosen);
    if (!kept.empty()) return kept;
    view.ShowMessage(
        L"注意",
        JoinLines({L"指定した場所の名前には、設定ファイルに保存できない文字が含まれています",
                   L"今回はこのまま使えますが、次回の起動時にもう一度指定して下さい", chosen}),
        MessageIcon::Exclamation);
    return chosen;
}
}  // namespace

void ChooseVbExecutable(SettingsView& view) {
    view.ShowPathPanel();
    std::wstring start = platform::ProgramDirectory();
    if (platform::LookupFile(kDefaultVb6)) {
        start = L"C:\\Program Files\\Microsoft Visual Studio\\VB98";
    }
    const std::wstring chosen = view.ChooseOpenFile(start, L"VB本体(vb?.exe)", L"vb?.exe");
    view.HidePathPanel();
    if (!chosen.empty()) gVbMain = Keepable(view, chosen);
    if (gVbMain.empty()) {
        view.ShowMessage(
            L"指定エラー",
            JoinLines({L"コンパイルするＶＢ本体を指定しないと", L"何もできないので終了します"}),
            MessageIcon::Critical);
        view.EndProgramNow();
    }
}

void ChooseProjectDirectory(SettingsView& view) {
    const std::wstring chosen =
        view.ChooseFolder(L"ＶＢプロジェクトのあるディレクトリを指定して下さい。");
    if (!chosen.empty()) gPrjDir = Keepable(view, chosen);
    if (!gPrjDir.empty() && chosen.empty()) return;  // cancelled while a directory is known
    if (gPrjDir.empty()) {
        view.ShowMessage(L"指定エラー",
                         JoinLines({L"ＶＢプロジェクトのあるディレクトリを指定しないと",
                                    L"何もできないので終了します"}),
                         MessageIcon::Critical);
        view.EndProgramNow();
        return;
    }
    view.RebuildCatalogue(true);
}

}  // namespace kinoha
