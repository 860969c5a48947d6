#include "tray/tray_commands.h"

#include <cstdint>

#include "app/globals.h"
#include "app/help_document.h"
#include "app/launch.h"
#include "app/quoted_program.h"
#include "app/recent_projects.h"
#include "app/standard_messages.h"
#include "app/text_helpers.h"
#include "catalogue/project_file.h"
#include "platform/platform.h"

namespace kinoha {

TrayMenu ChooseTrayMenu(double n) {
    if (!gStop) return TrayMenu::None;
    // 410.4 and 413.6 are the same releases as they arrive measured in twips.
    if (n == 514 || n == 410.4) return TrayMenu::Executables;
    if (n == 517 || n == 413.6) return TrayMenu::Main;
    return TrayMenu::None;
}

void OpenProject(const std::wstring& path, TrayView& view) {
    if (!platform::LookupFile(path)) {
        ShowFileMissing(view);
        return;
    }
    PrepareProjectForVb(path, gVbMain);
    if (platform::LookupFile(gVbMain) &&
        platform::StartCommandLine(QuotedProgram(gVbMain) + L" \"" + path + L"\"")) {
        NoteRecentProject(path);
        return;
    }
    ShowStartFailed(view, gVbMain, path);
}

void RunExecutable(const std::wstring& path, TrayView& view) {
    if (!platform::LookupFile(path)) {
        view.ShowMessage(L"起動エラー", L"コンパイルしたＥＸＥがありません",
                         MessageIcon::Exclamation);
        return;
    }
    platform::StartCommandLine(QuotedProgram(path));
}

void RunProjectExecutable(const std::wstring& projectPath, TrayView& view) {
    std::vector<std::wstring> exes;
    // The file's own extension, as the catalogue tests it: a folder "Old.vbg.bak" holds projects.
    if (!HasExtension(projectPath, L".VBG")) {
        exes.push_back(GetProjectExe(projectPath));
    } else {
        AddGroupExes(projectPath, exes);
    }
    RunExecutable(exes.empty() ? std::wstring() : exes.front(), view);
}

void OpenProjectFolder(const std::wstring& projectPath, TrayView& view) {
    const std::wstring folder = FolderOf(projectPath);
    platform::ShellOpen(view.NativeWindow(), folder, folder);
}

void ToggleStartsAtLogon() {
    const std::wstring program = platform::ProgramPath();
    platform::SetStartsAtLogon(program, !platform::StartsAtLogon(program));
}

void ToggleFileNamesOnly(TrayView& view) {
    gFileNamesOnly = !gFileNamesOnly;
    view.RebuildCatalogue(false);
}

void OpenHelp(TrayView& view) {
    const std::wstring help = HelpToOpen();
    // A help that does not open is said, not left to a click that does nothing.
    if (!platform::LookupFile(help)) {
        view.ShowMessage(L"ヘルプ", L"ヘルプファイルがありません：" + help,
                         MessageIcon::Exclamation);
        return;
    }
    std::int16_t result = 0;
    LaunchFile(view.NativeWindow(), help, result);
    if (result != 0)
        view.ShowMessage(L"ヘルプ", L"ヘルプファイルを開けません：" + help,
                         MessageIcon::Exclamation);
}

}  // namespace kinoha
