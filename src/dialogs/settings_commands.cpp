#include "dialogs/settings_commands.h"

#include "app/globals.h"
#include "platform/platform.h"

namespace kinoha {

void ChooseVbExecutable(TrayView& view) {
    view.ShowPathPanel();
    std::wstring start = platform::ProgramDirectory();
    if (platform::LookupFile(kDefaultVb6)) {
        start = L"C:\\Program Files\\Microsoft Visual Studio\\VB98";
    }
    const std::wstring chosen = view.ChooseOpenFile(start, L"VB本体(vb?.exe)", L"vb?.exe");
    view.HidePathPanel();
    if (!chosen.empty()) gVbMain = chosen;
    if (gVbMain.empty()) {
        view.ShowMessage(
            L"指定エラー",
            JoinLines({L"コンパイルするＶＢ本体を指定しないと", L"何もできないので終了します"}),
            MessageIcon::Critical);
        view.EndProgramNow();
    }
}

void ChooseProjectDirectory(TrayView& view) {
    const std::wstring chosen =
        view.ChooseFolder(L"ＶＢプロジェクトのあるディレクトリを指定して下さい。");
    if (!chosen.empty()) gPrjDir = chosen;
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
